#include "StatusPanel.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

namespace linkwatch::desktop {
namespace {

constexpr int kIconSize = 16;

// Each field's text is kept apart from the caption it is shown with, so tests
// and callers read the value itself.
constexpr const char* kValueProperty = "linkwatchValue";

void SetField(QLabel& label, const QString& caption, const QString& value) {
  label.setProperty(kValueProperty, value);
  label.setText(value.isEmpty() ? QString() : caption.arg(value));
  label.setVisible(!value.isEmpty());
}

QString ValueOf(const QLabel& label) { return label.property(kValueProperty).toString(); }

}  // namespace

StatusPanel::StatusPanel(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 0);
  layout->setSpacing(14);
  vendorIcon_ = new QLabel(this);
  vendorIcon_->setFixedSize(kIconSize, kIconSize);
  layout->addWidget(vendorIcon_);
  sysName_ = AddField(tr("System name"));
  QFont bold = sysName_->font();
  bold.setBold(true);
  sysName_->setFont(bold);
  vendor_ = AddField(tr("Vendor"));
  machineType_ = AddField(tr("Machine type"));
  uptime_ = AddField(tr("Time since the device started"));
  nextPoll_ = AddField(tr("Seconds until the next poll"));
  error_ = AddField(tr("Last error"));
  error_->setStyleSheet(QStringLiteral("color: #b00020;"));
  error_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // The error goes last and takes the room that is left; a long one is cut
  // short on screen and read whole in its tool tip.
  error_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  layout->setStretchFactor(error_, 1);
  Clear();
}

QLabel* StatusPanel::AddField(const QString& toolTip) {
  auto* label = new QLabel(this);
  label->setToolTip(toolTip);
  layout()->addWidget(label);
  return label;
}

void StatusPanel::ShowDevice(const QString& sysName, const QString& vendor,
                             const QString& machineType, const QImage& vendorIcon) {
  SetField(*sysName_, QStringLiteral("%1"), sysName);
  SetField(*vendor_, QStringLiteral("%1"), vendor);
  SetField(*machineType_, QStringLiteral("%1"), machineType);
  if (vendorIcon.isNull()) {
    vendorIcon_->clear();
  } else {
    vendorIcon_->setPixmap(QPixmap::fromImage(vendorIcon.scaled(
        kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  }
  vendorIcon_->setVisible(!vendorIcon.isNull());
}

QString StatusPanel::FormatUptime(qint64 seconds) {
  if (seconds < 0) seconds = 0;
  const qint64 days = seconds / 86400;
  const QString clock = QStringLiteral("%1:%2:%3")
                            .arg((seconds / 3600) % 24, 2, 10, QLatin1Char('0'))
                            .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
                            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
  return days > 0 ? QStringLiteral("%1 d %2").arg(days).arg(clock) : clock;
}

void StatusPanel::ShowUptime(const QDateTime& lastBoot, const QDateTime& now) {
  // The control leaves LastBoot at its zero date until the device has told its
  // up-time; such a date is no boot time.
  const bool known = lastBoot.isValid() && lastBoot.date().year() > 1900 && lastBoot <= now;
  SetField(*uptime_, tr("Up %1"), known ? FormatUptime(lastBoot.secsTo(now)) : QString());
}

void StatusPanel::ShowSecondsTillUpdate(int seconds) {
  SetField(*nextPoll_, tr("Next poll in %1 s"), seconds >= 0 ? QString::number(seconds) : QString());
}

void StatusPanel::ShowError(const QString& error) {
  SetField(*error_, QStringLiteral("%1"), error);
  error_->setVisible(true);  // it fills the rest of the bar, empty or not
  error_->setToolTip(error.isEmpty() ? tr("Last error") : error);
}

void StatusPanel::Clear() {
  ShowDevice({}, {}, {}, {});
  ShowUptime({}, {});
  ShowSecondsTillUpdate(-1);
  ShowError({});
}

QString StatusPanel::SysName() const { return ValueOf(*sysName_); }
QString StatusPanel::Vendor() const { return ValueOf(*vendor_); }
QString StatusPanel::MachineType() const { return ValueOf(*machineType_); }
QString StatusPanel::Uptime() const { return ValueOf(*uptime_); }
QString StatusPanel::NextPoll() const { return ValueOf(*nextPoll_); }
QString StatusPanel::Error() const { return ValueOf(*error_); }

}  // namespace linkwatch::desktop
