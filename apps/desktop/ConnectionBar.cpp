#include "ConnectionBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "components/SnmpSecurity.h"

namespace linkwatch::desktop {
namespace {

// A label and its field, kept together when the bar hides one of them.
QWidget* Labelled(const QString& label, QWidget* field, QWidget* parent) {
  auto* group = new QWidget(parent);
  auto* layout = new QHBoxLayout(group);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  auto* caption = new QLabel(label, group);
  caption->setBuddy(field);
  layout->addWidget(caption);
  layout->addWidget(field, 1);
  return group;
}

QLineEdit* SecretField(const QString& placeholder, QWidget* parent) {
  auto* field = new QLineEdit(parent);
  // Shown while typed, hidden once the field is left.
  field->setEchoMode(QLineEdit::PasswordEchoOnEdit);
  field->setPlaceholderText(placeholder);
  return field;
}

}  // namespace

ConnectionBar::ConnectionBar(QWidget* parent) : QWidget(parent) {
  auto* rows = new QVBoxLayout(this);
  rows->setContentsMargins(6, 4, 6, 4);
  rows->setSpacing(4);
  rows->addWidget(BuildMainRow());
  rows->addWidget(BuildV3Row());
  SetRunning(false);
  ShowFieldsOfVersion();
}

QWidget* ConnectionBar::BuildMainRow() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(10);

  target_ = new QLineEdit(row);
  target_->setPlaceholderText(tr("host name or IPv4 address"));
  target_->setMinimumWidth(170);
  port_ = new QSpinBox(row);
  port_->setRange(1, 65535);
  port_->setValue(161);
  version_ = new QComboBox(row);
  version_->addItem(tr("Auto"), 0);
  version_->addItem(tr("1"), 1);
  version_->addItem(tr("2c"), 2);
  version_->addItem(tr("3"), 3);
  version_->setToolTip(tr("SNMP version; for 1, 2c and Auto the device's own version is found"));
  community_ = SecretField(tr("community"), row);
  community_->setMinimumWidth(110);
  communityGroup_ = Labelled(tr("Community"), community_, row);

  refresh_ = new QSpinBox(row);
  refresh_->setRange(5, 300);
  refresh_->setValue(30);
  refresh_->setSuffix(tr(" s"));
  refresh_->setToolTip(tr("Seconds between polls"));
  autoUpdate_ = new QCheckBox(tr("Auto update"), row);
  autoUpdate_->setChecked(true);
  parallelWalks_ = new QCheckBox(tr("Parallel walks"), row);
  parallelWalks_->setToolTip(
      tr("Walk every statistic's column at once: much faster over slow links and on large "
         "devices, and a column that fails ends only its own walk. The device answers several "
         "requests at a time."));
  start_ = new QPushButton(tr("Start"), row);
  start_->setDefault(true);
  stop_ = new QPushButton(tr("Stop"), row);

  layout->addWidget(Labelled(tr("Target"), target_, row), 3);
  layout->addWidget(Labelled(tr("Port"), port_, row));
  layout->addWidget(Labelled(tr("Version"), version_, row));
  layout->addWidget(communityGroup_, 2);
  layout->addSpacing(12);
  layout->addWidget(Labelled(tr("Every"), refresh_, row));
  layout->addWidget(autoUpdate_);
  layout->addWidget(parallelWalks_);
  layout->addStretch(1);
  layout->addWidget(start_);
  layout->addWidget(stop_);

  connect(version_, &QComboBox::currentIndexChanged, this, [this] { ShowFieldsOfVersion(); });
  connect(target_, &QLineEdit::returnPressed, this, [this] {
    if (start_->isEnabled()) emit StartRequested();
  });
  connect(start_, &QPushButton::clicked, this, &ConnectionBar::StartRequested);
  connect(stop_, &QPushButton::clicked, this, &ConnectionBar::StopRequested);
  connect(refresh_, &QSpinBox::valueChanged, this, &ConnectionBar::RefreshIntervalChanged);
  connect(autoUpdate_, &QCheckBox::toggled, this, &ConnectionBar::AutoUpdateChanged);
  return row;
}

QWidget* ConnectionBar::BuildV3Row() {
  v3Row_ = new QWidget(this);
  auto* layout = new QHBoxLayout(v3Row_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(10);

  user_ = new QLineEdit(v3Row_);
  context_ = new QLineEdit(v3Row_);
  context_->setPlaceholderText(tr("default"));
  authType_ = new QComboBox(v3Row_);
  authType_->addItem(tr("None"), kAuthNone);
  authType_->addItem(QStringLiteral("MD5"), kAuthMd5);
  authType_->addItem(QStringLiteral("SHA-1"), kAuthSha1);
  authType_->addItem(QStringLiteral("SHA-224"), kAuthSha224);
  authType_->addItem(QStringLiteral("SHA-256"), kAuthSha256);
  authType_->addItem(QStringLiteral("SHA-384"), kAuthSha384);
  authType_->addItem(QStringLiteral("SHA-512"), kAuthSha512);
  authPass_ = SecretField(tr("password"), v3Row_);
  privType_ = new QComboBox(v3Row_);
  privType_->addItem(tr("None"), kPrivNone);
  privType_->addItem(QStringLiteral("DES"), kPrivDes);
  privType_->addItem(QStringLiteral("AES-128"), kPrivAes128);
  privType_->addItem(QStringLiteral("AES-192"), kPrivAes192);
  privType_->addItem(QStringLiteral("AES-256"), kPrivAes256);
  privPass_ = SecretField(tr("password"), v3Row_);

  layout->addWidget(Labelled(tr("User"), user_, v3Row_), 2);
  layout->addWidget(Labelled(tr("Context"), context_, v3Row_), 1);
  layout->addWidget(Labelled(tr("Authentication"), authType_, v3Row_));
  layout->addWidget(authPass_, 2);
  layout->addWidget(Labelled(tr("Privacy"), privType_, v3Row_));
  layout->addWidget(privPass_, 2);

  // A password only means something with its type chosen.
  auto followType = [](QComboBox* type, QLineEdit* pass) {
    pass->setEnabled(type->currentData().toInt() != 0);
  };
  connect(authType_, &QComboBox::currentIndexChanged, this,
          [=, this] { followType(authType_, authPass_); });
  connect(privType_, &QComboBox::currentIndexChanged, this,
          [=, this] { followType(privType_, privPass_); });
  followType(authType_, authPass_);
  followType(privType_, privPass_);
  return v3Row_;
}

void ConnectionBar::ShowFieldsOfVersion() {
  const bool v3 = CodeOf(*version_) == 3;
  // setVisible on a child of a hidden window only records the wish; read it back
  // through isHidden() (see ShowsV3Settings).
  v3Row_->setHidden(!v3);
  communityGroup_->setHidden(v3);
}

bool ConnectionBar::ShowsV3Settings() const { return !v3Row_->isHidden(); }

void ConnectionBar::SelectByCode(QComboBox& box, int code) {
  const int index = box.findData(code);
  box.setCurrentIndex(index >= 0 ? index : 0);
}

int ConnectionBar::CodeOf(const QComboBox& box) { return box.currentData().toInt(); }

ConnectionSettings ConnectionBar::Settings() const {
  ConnectionSettings settings;
  settings.Target = target_->text().trimmed();
  settings.Port = port_->value();
  settings.Version = CodeOf(*version_);
  settings.Community = community_->text();
  settings.User = user_->text();
  settings.Context = context_->text();
  settings.AuthType = CodeOf(*authType_);
  settings.AuthPass = authPass_->text();
  settings.PrivType = CodeOf(*privType_);
  settings.PrivPass = privPass_->text();
  return settings;
}

void ConnectionBar::SetSettings(const ConnectionSettings& settings) {
  target_->setText(settings.Target);
  port_->setValue(settings.Port);
  SelectByCode(*version_, settings.Version);
  community_->setText(settings.Community);
  user_->setText(settings.User);
  context_->setText(settings.Context);
  SelectByCode(*authType_, settings.AuthType);
  authPass_->setText(settings.AuthPass);
  SelectByCode(*privType_, settings.PrivType);
  privPass_->setText(settings.PrivPass);
}

int ConnectionBar::RefreshInterval() const { return refresh_->value(); }
void ConnectionBar::SetRefreshInterval(int seconds) { refresh_->setValue(seconds); }
bool ConnectionBar::AutoUpdate() const { return autoUpdate_->isChecked(); }
void ConnectionBar::SetAutoUpdate(bool setting) { autoUpdate_->setChecked(setting); }
bool ConnectionBar::ParallelWalks() const { return parallelWalks_->isChecked(); }
void ConnectionBar::SetParallelWalks(bool setting) { parallelWalks_->setChecked(setting); }

void ConnectionBar::SetRunning(bool running) {
  start_->setEnabled(!running);
  stop_->setEnabled(running);
  for (QWidget* field : std::initializer_list<QWidget*>{target_, port_, version_, community_,
                                                         user_, context_, authType_, privType_}) {
    field->setEnabled(!running);
  }
  authPass_->setEnabled(!running && CodeOf(*authType_) != 0);
  privPass_->setEnabled(!running && CodeOf(*privType_) != 0);
}

}  // namespace linkwatch::desktop
