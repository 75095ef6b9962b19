// The control's members as the widget offers them to Qt: texts as QString,
// dates as QDateTime, pictures as QImage. Members that may change the table show
// it again when they return.
#include <QImage>

#include "platform/qt/PictureRenderer.h"
#include "platform/qt/QtPicture.h"
#include "platform/qt/SerialDateParts.h"
#include "platform/widgets/GridView.h"
#include "platform/widgets/InterfaceListWidget.h"

namespace linkwatch {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

std::string Text(const QString& text) { return text.toStdString(); }

QDateTime DateTimeOf(SerialDate when) {
  const auto parts = SerialDateParts::From(when);
  return parts ? QDateTime(parts->Date, parts->Time) : QDateTime();
}

}  // namespace

template <typename Call>
decltype(auto) InterfaceListWidget::Changing(Call&& call) {
  struct RefreshAfter {
    GridView* view;
    ~RefreshAfter() { view->Refresh(); }
  } after{view_};
  return call();
}

bool InterfaceListWidget::Active() const { return control_->Active(); }
QString InterfaceListWidget::Target() const { return Text(control_->Target()); }
void InterfaceListWidget::SetTarget(const QString& hostName) { control_->SetTarget(Text(hostName)); }
QString InterfaceListWidget::IP() const { return Text(control_->IP()); }
QString InterfaceListWidget::Community() const { return Text(control_->Community()); }
void InterfaceListWidget::SetCommunity(const QString& community) {
  control_->SetCommunity(Text(community));
}
int InterfaceListWidget::SNMPVersion() const { return control_->SNMPVersion(); }
QString InterfaceListWidget::SysName() const { return Text(control_->SysName()); }
QString InterfaceListWidget::SysDescr() const { return Text(control_->SysDescr()); }
QString InterfaceListWidget::SystemOID() const { return Text(control_->SystemOID()); }
float InterfaceListWidget::SysUpTime() const { return control_->SysUpTime(); }
QString InterfaceListWidget::MachineType() const { return Text(control_->MachineType()); }
QString InterfaceListWidget::Vendor() const { return Text(control_->Vendor()); }

QImage InterfaceListWidget::VendorIcon() const {
  const PictureRef icon = control_->VendorIcon();
  return icon ? RenderPicture(*icon) : QImage();
}

QDateTime InterfaceListWidget::LastBoot() const { return DateTimeOf(control_->LastBoot()); }
QString InterfaceListWidget::SysLocation() const { return Text(control_->SysLocation()); }
QString InterfaceListWidget::SysContact() const { return Text(control_->SysContact()); }
bool InterfaceListWidget::Synchronous() const { return control_->Synchronous(); }
void InterfaceListWidget::SetSynchronous(bool setting) { control_->SetSynchronous(setting); }
int InterfaceListWidget::PollID() const { return control_->PollID(); }
int InterfaceListWidget::InterfaceCount() const { return control_->InterfaceCount(); }
std::shared_ptr<linkwatch::Interfaces> InterfaceListWidget::Interfaces() const {
  return control_->Interfaces();
}
QDateTime InterfaceListWidget::NextPoll() const { return DateTimeOf(control_->NextPoll()); }
int InterfaceListWidget::RefreshInterval() const { return control_->RefreshInterval(); }

void InterfaceListWidget::SetRefreshInterval(int seconds) {
  int32_t clamped = seconds;
  control_->SetRefreshInterval(clamped);
}

bool InterfaceListWidget::AutoUpdate() const { return control_->AutoUpdate(); }
void InterfaceListWidget::SetAutoUpdate(bool setting) { control_->SetAutoUpdate(setting); }
int InterfaceListWidget::SecondsTillUpdate() const { return control_->SecondsTillUpdate(); }
QString InterfaceListWidget::StatisticsList() const { return Text(control_->StatisticsList()); }

void InterfaceListWidget::SetStatisticsList(const QString& list) {
  Changing([&] { control_->SetStatisticsList(Text(list)); });
}

bool InterfaceListWidget::HighColorIcons() const { return control_->HighColorIcons(); }
void InterfaceListWidget::SetHighColorIcons(bool setting) { control_->SetHighColorIcons(setting); }

QImage InterfaceListWidget::Background() const {
  const PictureRef picture = control_->Background();
  return picture ? RenderPicture(*picture) : QImage();
}

void InterfaceListWidget::SetBackground(const QImage& picture) {
  SetBackgroundPicture(picture.isNull() ? nullptr
                                        : std::make_shared<QtPicture>(picture, "background"));
}

PictureRef InterfaceListWidget::BackgroundPicture() const { return control_->Background(); }
void InterfaceListWidget::SetBackgroundPicture(PictureRef picture) {
  control_->SetBackground(std::move(picture));
}
QString InterfaceListWidget::LastError() const { return Text(control_->LastError()); }
QObject* InterfaceListWidget::TableObject() const { return view_; }
QString InterfaceListWidget::ColumnList() const { return Text(control_->ColumnList()); }
std::shared_ptr<linkwatch::StatisticTemplates> InterfaceListWidget::StatisticTemplates() const {
  return control_->StatisticTemplates();
}

QString InterfaceListWidget::SelectedStatisticName() const {
  return Text(control_->SelectedStatisticName());
}
std::shared_ptr<Statistic> InterfaceListWidget::SelectedStatistic() const {
  return control_->SelectedStatistic();
}
std::shared_ptr<Interface> InterfaceListWidget::SelectedInterface() const {
  return control_->SelectedInterface();
}
std::shared_ptr<InterfaceChild> InterfaceListWidget::SelectedInterfaceChild() const {
  return control_->SelectedInterfaceChild();
}

bool InterfaceListWidget::StartMonitoring() {
  return Changing([&] { return control_->StartMonitoring(); });
}
void InterfaceListWidget::StopMonitoring() {
  Changing([&] { control_->StopMonitoring(); });
}
void InterfaceListWidget::Restart() {
  Changing([&] { control_->Restart(); });
}

QString InterfaceListWidget::SNMPGetNext(const QString& statName, const QString& oid,
                                         const QString& baseOid) {
  std::string base = Text(baseOid);
  control_->SNMPGetNext(Text(statName), Text(oid), base);
  return Text(base);
}

void InterfaceListWidget::Poll(bool firstTime) {
  Changing([&] { control_->Poll(firstTime); });
}
void InterfaceListWidget::PollStatistic(const QString& statName) {
  Changing([&] { control_->PollStatistic(Text(statName)); });
}
bool InterfaceListWidget::AdminEnableInterface(const std::shared_ptr<Interface>& target) {
  return Changing([&] { return control_->AdminEnableInterface(target); });
}
bool InterfaceListWidget::AdminShutdownInterface(const std::shared_ptr<Interface>& target) {
  return Changing([&] { return control_->AdminShutdownInterface(target); });
}
void InterfaceListWidget::GetSystemMIB() { control_->GetSystemMIB(); }
void InterfaceListWidget::CopyToClipboard() { control_->CopyToClipboard(); }
void InterfaceListWidget::ClearTable() {
  Changing([&] { control_->ClearTable(); });
}
void InterfaceListWidget::RefreshTable() {
  Changing([&] { control_->RefreshTable(); });
}
void InterfaceListWidget::RefreshChildren(const std::shared_ptr<Interface>& target) {
  Changing([&] { control_->RefreshChildren(target); });
}
void InterfaceListWidget::HideSelectedInterfaces() {
  Changing([&] { control_->HideSelectedInterfaces(); });
}
void InterfaceListWidget::UnHideAllInterfaces() {
  Changing([&] { control_->UnHideAllInterfaces(); });
}
bool InterfaceListWidget::RowsHidden() const { return control_->RowsHidden(); }
void InterfaceListWidget::SelectAll() {
  Changing([&] { control_->SelectAll(); });
}
QString InterfaceListWidget::ClipSelection() const { return Text(control_->ClipSelection()); }

QString InterfaceListWidget::SNMPContext() const { return Text(control_->SNMPContext()); }
void InterfaceListWidget::SetSNMPContext(const QString& context) {
  control_->SetSNMPContext(Text(context));
}
QString InterfaceListWidget::SNMPUsername() const { return Text(control_->SNMPUsername()); }
void InterfaceListWidget::SetSNMPUsername(const QString& userName) {
  control_->SetSNMPUsername(Text(userName));
}
int InterfaceListWidget::SNMPAuthType() const { return control_->SNMPAuthType(); }
void InterfaceListWidget::SetSNMPAuthType(int authType) {
  control_->SetSNMPAuthType(static_cast<int16_t>(authType));
}
QString InterfaceListWidget::SNMPAuthPass() const { return Text(control_->SNMPAuthPass()); }
void InterfaceListWidget::SetSNMPAuthPass(const QString& pass) {
  control_->SetSNMPAuthPass(Text(pass));
}
int InterfaceListWidget::SNMPEncryptType() const { return control_->SNMPEncryptType(); }
void InterfaceListWidget::SetSNMPEncryptType(int encryptType) {
  control_->SetSNMPEncryptType(static_cast<int16_t>(encryptType));
}
QString InterfaceListWidget::SNMPEncryptPass() const { return Text(control_->SNMPEncryptPass()); }
void InterfaceListWidget::SetSNMPEncryptPass(const QString& pass) {
  control_->SetSNMPEncryptPass(Text(pass));
}
void InterfaceListWidget::SetSNMPVersion(int level) {
  control_->SetSNMPVersion(static_cast<int16_t>(level));
}
int InterfaceListWidget::SNMPPort() const { return control_->SNMPPort(); }
void InterfaceListWidget::SetSNMPPort(int port) { control_->SetSNMPPort(port); }
int InterfaceListWidget::SNMPTimeoutMs() const { return control_->SNMPTimeoutMs(); }
void InterfaceListWidget::SetSNMPTimeoutMs(int timeoutMs) { control_->SetSNMPTimeoutMs(timeoutMs); }
int InterfaceListWidget::SNMPRetries() const { return control_->SNMPRetries(); }
void InterfaceListWidget::SetSNMPRetries(int retries) { control_->SetSNMPRetries(retries); }

}  // namespace linkwatch
