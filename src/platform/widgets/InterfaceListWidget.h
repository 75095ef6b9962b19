#pragma once
#include <QDateTime>
#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

#include "control/InterfaceList.h"
#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "model/Interfaces.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {

class GridView;
class MemoryGrid;

// The Linkwatch control for Qt Widgets hosts: an InterfaceList shown in a
// GridView that fills the widget. Place it like any widget:
//
//   auto* list = new linkwatch::InterfaceListWidget(window);
//   list->SetTarget("192.0.2.1");
//   list->SetCommunity("public");
//   list->SetStatisticsList("Interface Name,Interface Status Icon,In Traffic");
//   list->StartMonitoring();
//
// The control is made on the thread's platform; when none is installed yet, the
// widget installs the host platform (message boxes, Qt fonts and clipboard).
//
// Scripting: every property, method and event of the control is reachable by
// name through Qt's meta-object system, declared in the control's interface
// order (properties, methods and signals each in their own list). Names follow
// the control's members. Types that scripts cannot hold as they are:
// - dates (LastBoot, NextPoll) are QDateTime, local time;
// - pictures (VendorIcon, Background) are QImage;
// - Interfaces, StatisticTemplates and the Selected... results are shared
//   pointers to the model objects (QVariant-able; C++ hosts use them directly);
// - TableObject is the GridView (a QTableView); GridView::Grid() is the grid.
// SNMPGetNext returns the walk's base OID, which the control writes back into a
// by-reference argument.
//
// Events: the six events are Qt signals carrying the values. The control raises
// them with arguments by reference; a C++ host that needs that subscribes to
// Control().PollTimer and so on. The PollTimer signal is emitted while the tick
// is being handled, so a script connected to it turns polling on or off by
// setting the AutoUpdate property, just as a by-reference handler would.
//
// Failures of the control reach the caller as the exceptions it throws.
class InterfaceListWidget : public QWidget {
  Q_OBJECT

  Q_PROPERTY(bool Active READ Active NOTIFY Status)
  Q_PROPERTY(QString Target READ Target WRITE SetTarget)
  Q_PROPERTY(QString IP READ IP)
  Q_PROPERTY(QString Community READ Community WRITE SetCommunity)
  Q_PROPERTY(int SNMPVersion READ SNMPVersion WRITE SetSNMPVersion)
  Q_PROPERTY(QString SysName READ SysName NOTIFY SystemMIBComplete)
  Q_PROPERTY(QString SysDescr READ SysDescr NOTIFY SystemMIBComplete)
  Q_PROPERTY(QString SystemOID READ SystemOID NOTIFY SystemMIBComplete)
  Q_PROPERTY(float SysUpTime READ SysUpTime NOTIFY SystemMIBComplete)
  Q_PROPERTY(QString MachineType READ MachineType NOTIFY SystemMIBComplete)
  Q_PROPERTY(QString Vendor READ Vendor NOTIFY SystemMIBComplete)
  Q_PROPERTY(QImage VendorIcon READ VendorIcon NOTIFY SystemMIBComplete DESIGNABLE false)
  Q_PROPERTY(QDateTime LastBoot READ LastBoot NOTIFY SystemMIBComplete)
  Q_PROPERTY(QString SysLocation READ SysLocation NOTIFY SystemMIBComplete)
  Q_PROPERTY(QString SysContact READ SysContact NOTIFY SystemMIBComplete)
  Q_PROPERTY(bool Synchronous READ Synchronous WRITE SetSynchronous)
  Q_PROPERTY(int PollID READ PollID)
  Q_PROPERTY(int InterfaceCount READ InterfaceCount)
  Q_PROPERTY(std::shared_ptr<linkwatch::Interfaces> Interfaces READ Interfaces DESIGNABLE false)
  Q_PROPERTY(QDateTime NextPoll READ NextPoll)
  Q_PROPERTY(int RefreshInterval READ RefreshInterval WRITE SetRefreshInterval)
  Q_PROPERTY(bool AutoUpdate READ AutoUpdate WRITE SetAutoUpdate NOTIFY PollTimer)
  Q_PROPERTY(int SecondsTillUpdate READ SecondsTillUpdate)
  Q_PROPERTY(QString StatisticsList READ StatisticsList WRITE SetStatisticsList)
  Q_PROPERTY(bool HighColorIcons READ HighColorIcons WRITE SetHighColorIcons)
  Q_PROPERTY(QImage Background READ Background WRITE SetBackground DESIGNABLE false)
  Q_PROPERTY(QString LastError READ LastError)
  Q_PROPERTY(QObject* TableObject READ TableObject DESIGNABLE false)
  Q_PROPERTY(QString ColumnList READ ColumnList)
  Q_PROPERTY(std::shared_ptr<linkwatch::StatisticTemplates> StatisticTemplates
                 READ StatisticTemplates DESIGNABLE false)
  Q_PROPERTY(QString SNMPContext READ SNMPContext WRITE SetSNMPContext)
  Q_PROPERTY(QString SNMPUsername READ SNMPUsername WRITE SetSNMPUsername)
  Q_PROPERTY(int SNMPAuthType READ SNMPAuthType WRITE SetSNMPAuthType)
  Q_PROPERTY(QString SNMPAuthPass READ SNMPAuthPass WRITE SetSNMPAuthPass)
  Q_PROPERTY(int SNMPEncryptType READ SNMPEncryptType WRITE SetSNMPEncryptType)
  Q_PROPERTY(QString SNMPEncryptPass READ SNMPEncryptPass WRITE SetSNMPEncryptPass)
  // Transport settings added after the control's own members.
  Q_PROPERTY(int SNMPPort READ SNMPPort WRITE SetSNMPPort)
  Q_PROPERTY(int SNMPTimeoutMs READ SNMPTimeoutMs WRITE SetSNMPTimeoutMs)
  Q_PROPERTY(int SNMPRetries READ SNMPRetries WRITE SetSNMPRetries)

 public:
  explicit InterfaceListWidget(QWidget* parent = nullptr);
  ~InterfaceListWidget() override;

  // The control itself (events with by-reference arguments, the model objects)
  // and its view. A host that changes the table through the control directly
  // calls View().Refresh() afterwards; the widget's own members do that.
  InterfaceList& Control() const { return *control_; }
  GridView& View() const { return *view_; }
  MemoryGrid& Grid() const;

  QSize sizeHint() const override;

  bool Active() const;
  QString Target() const;
  void SetTarget(const QString& hostName);
  QString IP() const;
  QString Community() const;
  void SetCommunity(const QString& community);
  int SNMPVersion() const;
  QString SysName() const;
  QString SysDescr() const;
  QString SystemOID() const;
  float SysUpTime() const;
  QString MachineType() const;
  QString Vendor() const;
  QImage VendorIcon() const;
  QDateTime LastBoot() const;
  QString SysLocation() const;
  QString SysContact() const;
  bool Synchronous() const;
  void SetSynchronous(bool setting);
  int PollID() const;
  int InterfaceCount() const;
  std::shared_ptr<linkwatch::Interfaces> Interfaces() const;
  QDateTime NextPoll() const;
  int RefreshInterval() const;
  void SetRefreshInterval(int seconds);  // clamped to 5..300
  bool AutoUpdate() const;
  void SetAutoUpdate(bool setting);
  int SecondsTillUpdate() const;
  QString StatisticsList() const;
  void SetStatisticsList(const QString& list);
  bool HighColorIcons() const;
  void SetHighColorIcons(bool setting);
  QImage Background() const;
  // Stores the picture; the next layout of the table (or ClearTable) shows it.
  void SetBackground(const QImage& picture);
  PictureRef BackgroundPicture() const;
  void SetBackgroundPicture(PictureRef picture);
  QString LastError() const;
  QObject* TableObject() const;
  QString ColumnList() const;
  std::shared_ptr<linkwatch::StatisticTemplates> StatisticTemplates() const;

  Q_INVOKABLE QString SelectedStatisticName() const;
  Q_INVOKABLE std::shared_ptr<linkwatch::Statistic> SelectedStatistic() const;
  Q_INVOKABLE std::shared_ptr<linkwatch::Interface> SelectedInterface() const;
  Q_INVOKABLE std::shared_ptr<linkwatch::InterfaceChild> SelectedInterfaceChild() const;
  Q_INVOKABLE bool StartMonitoring();
  Q_INVOKABLE void StopMonitoring();
  Q_INVOKABLE void Restart();
  // Returns the walk's base: baseOid, or oid with a final "." when baseOid is empty.
  Q_INVOKABLE QString SNMPGetNext(const QString& statName, const QString& oid,
                                  const QString& baseOid = QString());
  Q_INVOKABLE void Poll(bool firstTime = false);
  Q_INVOKABLE void PollStatistic(const QString& statName);
  Q_INVOKABLE bool AdminEnableInterface(const std::shared_ptr<linkwatch::Interface>& target);
  Q_INVOKABLE bool AdminShutdownInterface(const std::shared_ptr<linkwatch::Interface>& target);
  Q_INVOKABLE void GetSystemMIB();
  Q_INVOKABLE void CopyToClipboard();
  Q_INVOKABLE void ClearTable();
  Q_INVOKABLE void RefreshTable();
  Q_INVOKABLE void RefreshChildren(const std::shared_ptr<linkwatch::Interface>& target);
  Q_INVOKABLE void HideSelectedInterfaces();
  Q_INVOKABLE void UnHideAllInterfaces();
  Q_INVOKABLE bool RowsHidden() const;
  Q_INVOKABLE void SelectAll();
  Q_INVOKABLE QString ClipSelection() const;

  QString SNMPContext() const;
  void SetSNMPContext(const QString& context);
  QString SNMPUsername() const;
  void SetSNMPUsername(const QString& userName);
  int SNMPAuthType() const;
  void SetSNMPAuthType(int authType);
  QString SNMPAuthPass() const;
  void SetSNMPAuthPass(const QString& pass);
  int SNMPEncryptType() const;
  void SetSNMPEncryptType(int encryptType);
  QString SNMPEncryptPass() const;
  void SetSNMPEncryptPass(const QString& pass);
  void SetSNMPVersion(int level);
  int SNMPPort() const;
  void SetSNMPPort(int port);
  int SNMPTimeoutMs() const;
  void SetSNMPTimeoutMs(int timeoutMs);
  int SNMPRetries() const;
  void SetSNMPRetries(int retries);

 signals:
  void PollTimer(bool autoUpdate);
  void Status(bool active);
  void SystemMIBComplete();
  void RearrangedColumns(int col, int position);
  void SelectionChanged();
  void MouseUp(int button, int shift, float x, float y);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  static void EnsurePlatform();
  void ForwardEvents();
  void HandleGridKeys();
  void PlaceView();
  // Runs a member of the control that may change the table, then shows the table.
  template <typename Call>
  decltype(auto) Changing(Call&& call);

  std::unique_ptr<InterfaceList> control_;
  GridView* view_ = nullptr;  // a child widget; deleted before the control it shows
};

}  // namespace linkwatch
