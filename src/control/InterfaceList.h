#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "components/DeviceCatalog.h"
#include "components/DnsResolver.h"
#include "components/GridSurface.h"
#include "components/Platform.h"
#include "components/SnmpEngine.h"
#include "components/Timer.h"
#include "control/ControlState.h"
#include "control/EventSource.h"

namespace linkwatch {

class Interface;
class InterfaceChild;
class Interfaces;
class Statistic;
class StatisticTemplates;

// The Linkwatch control: monitors the interfaces of one device over SNMP and
// shows them in its grid. It is built on the thread's Platform (installed in
// Globals before the first control is made) and lives on that thread.
//
// Public members follow the order of the control's interface. Arguments a member
// may change are taken by non-const reference.
class InterfaceList {
 public:
  InterfaceList();
  ~InterfaceList();
  InterfaceList(const InterfaceList&) = delete;
  InterfaceList& operator=(const InterfaceList&) = delete;

  // Events, dispatch ids 1 to 6 (ControlEvents.h).
  EventSource<bool&> PollTimer;  // the argument is the control's own AutoUpdate
  EventSource<bool&> Status;     // raised with false
  EventSource<> SystemMIBComplete;
  EventSource<int32_t&, int32_t&> RearrangedColumns;  // Col, Position
  EventSource<> SelectionChanged;
  EventSource<int16_t&, int16_t&, float&, float&> MouseUp;  // Button, Shift, x, y

  // The host resized the control: the grid fills its inner area.
  void Resize(int width, int height);

  bool Active() const { return state_.Active; }
  const std::string& Target() const { return state_.Target; }
  void SetTarget(const std::string& hostName) { state_.Target = hostName; }
  const std::string& IP() const { return state_.IP; }
  const std::string& Community() const { return state_.Community; }
  void SetCommunity(const std::string& snmp) { state_.Community = snmp; }
  int16_t SNMPVersion() const { return state_.SNMPVersion; }
  const std::string& SysName() const { return state_.SysName; }
  const std::string& SysDescr() const { return state_.SysDescr; }
  const std::string& SystemOID() const { return state_.SystemOID; }
  float SysUpTime() const { return state_.SysUpTime; }
  std::string MachineType() const;
  std::string Vendor() const;
  PictureRef VendorIcon() const;
  SerialDate LastBoot() const { return state_.LastBoot; }
  const std::string& SysLocation() const { return state_.SysLocation; }
  const std::string& SysContact() const { return state_.SysContact; }
  bool Synchronous() const { return state_.Synchronous; }
  void SetSynchronous(bool setting) { state_.Synchronous = setting; }
  int32_t PollID() const { return state_.PollID; }
  int32_t InterfaceCount() const { return state_.InterfaceCount; }
  std::shared_ptr<linkwatch::Interfaces> Interfaces() const { return interfaces_; }
  SerialDate NextPoll() const { return state_.NextPoll; }
  int32_t RefreshInterval() const { return state_.RefreshInterval; }
  void SetRefreshInterval(int32_t& seconds);  // clamps to 5..300 and writes it back
  void SetRefreshInterval(const int32_t& seconds);
  bool AutoUpdate() const { return state_.AutoUpdate; }
  void SetAutoUpdate(bool setting) { state_.AutoUpdate = setting; }
  int32_t SecondsTillUpdate() const;
  const std::string& StatisticsList() const { return state_.StatisticsList; }
  void SetStatisticsList(const std::string& list);
  bool HighColorIcons() const;
  void SetHighColorIcons(bool setting);
  PictureRef Background() const { return state_.Background; }
  void SetBackground(PictureRef picture) { state_.Background = std::move(picture); }
  const std::string& LastError() const { return state_.LastError; }
  GridSurface& TableObject() const { return *table_; }
  std::string ColumnList() const;
  std::shared_ptr<linkwatch::StatisticTemplates> StatisticTemplates() const;
  std::string SelectedStatisticName() const;
  std::shared_ptr<Statistic> SelectedStatistic() const;
  std::shared_ptr<Interface> SelectedInterface() const;
  std::shared_ptr<InterfaceChild> SelectedInterfaceChild() const;
  bool StartMonitoring();
  void StopMonitoring();
  void Restart();
  // One step of a walk. An empty baseOid becomes the walk's base (oid with a
  // final "."), written back into the caller's variable.
  void SNMPGetNext(const std::string& statName, std::string oid, std::string& baseOid);
  void SNMPGetNext(const std::string& statName, std::string oid);
  void Poll(bool firstTime = false);
  void PollStatistic(const std::string& statName);
  bool AdminEnableInterface(const std::shared_ptr<Interface>& target);
  bool AdminShutdownInterface(const std::shared_ptr<Interface>& target);
  void GetSystemMIB();
  void CopyToClipboard();
  void ClearTable();
  void RefreshTable();
  void RefreshChildren(const std::shared_ptr<Interface>& target);
  void HideSelectedInterfaces();
  void UnHideAllInterfaces();
  bool RowsHidden() const;
  void SelectAll();
  std::string ClipSelection() const;
  void SetSNMPVersion(int16_t level) { state_.SNMPVersion = level; }
  const std::string& SNMPContext() const { return state_.SNMPContext; }
  void SetSNMPContext(const std::string& context) { state_.SNMPContext = context; }
  const std::string& SNMPUsername() const { return state_.SNMPUsername; }
  void SetSNMPUsername(const std::string& userName) { state_.SNMPUsername = userName; }
  int16_t SNMPAuthType() const { return state_.SNMPAuthType; }
  void SetSNMPAuthType(int16_t authType) { state_.SNMPAuthType = authType; }
  const std::string& SNMPAuthPass() const { return state_.SNMPAuthPass; }
  void SetSNMPAuthPass(const std::string& pass) { state_.SNMPAuthPass = pass; }
  int16_t SNMPEncryptType() const { return state_.SNMPEncryptType; }
  void SetSNMPEncryptType(int16_t encryptType) { state_.SNMPEncryptType = encryptType; }
  const std::string& SNMPEncryptPass() const { return state_.SNMPEncryptPass; }
  void SetSNMPEncryptPass(const std::string& pass) { state_.SNMPEncryptPass = pass; }

  // Transport settings of this control's engine (agent UDP port, time-out per
  // try in milliseconds, retries); defaults 161, 1000 and 1.
  int32_t SNMPPort() const;
  void SetSNMPPort(int32_t port);
  int32_t SNMPTimeoutMs() const;
  void SetSNMPTimeoutMs(int32_t timeoutMs);
  int32_t SNMPRetries() const;
  void SetSNMPRetries(int32_t retries);

  // Walk requests sent and not answered yet. The engine answers every request,
  // with an error at the latest when its time-out passes, so a poll cycle is
  // complete once a Status event finds this at zero.
  int32_t WalksInProgress() const { return walksInProgress_; }

  // Why walks of the current poll cycle ended early: one text per failed walk,
  // "'statistic name': " and the engine's error text (or what went wrong while its
  // reply was processed). Cleared when a poll starts; at most kMaxWalkFailures.
  static constexpr size_t kMaxWalkFailures = 32;
  const std::vector<std::string>& WalkFailures() const { return walkFailures_; }

 private:
  friend struct InterfaceListInternals;  // white-box access for the control's unit tests
  class GridEventSink;

  // Lifecycle (InterfaceList.cpp).
  void PrepareMessage(std::string& context, std::string& userName, std::string& ip,
                      std::string& community, int16_t& authType, std::string& authPass,
                      int16_t& encryptType, std::string& encryptPass, bool& deliverByEvent);
  void PrepareMessage(bool deliverByEvent);  // with the control's own credentials
  void OnResolverAnswer(std::string& hostName, std::string& address, std::string& tag);
  void OnPollTimerTick();
  void OnReply(SnmpMessage& response);
  void NoteWalkFailure(const std::string& tag, const std::string& why);
  void ReplaceInterfaces();  // a new, empty collection for a new monitoring run

  // Starting (InterfaceListMonitoring.cpp).
  int16_t DetectVersion();
  int32_t ReadInterfaceCount();
  // A get of one object through CurrentMessage that waits for the answer.
  void SynchronousGet(const std::string& label, const std::string& oid, int16_t version);

  // The poll cycle (InterfaceListPolling.cpp).
  void PollNext();

  // Walk replies (InterfaceListReplies.cpp).
  void ProcessReply(const SnmpMessage& response);
  void ProcessSystemReply(const std::string& statName, const std::string& baseOid,
                          const SnmpBindingList& bindings);
  void ProcessColumnReply(const std::string& statName, const std::string& baseOid,
                          const SnmpBindingList& bindings);
  void RouteColumnValue(const std::string& statName, const std::string& baseOid,
                        const SnmpBinding& binding, std::string& childIndex);

  // Layout (InterfaceListLayout.cpp).
  void LayoutColumns();
  void PruneStatistics();

  // Rows and cells of the table (InterfaceListTable.cpp).
  void FillCell(const Statistic& stat, int32_t row, int32_t col);

  // The grid's events (InterfaceListGridEvents.cpp).
  void OnColumnMoved(int column, int position);
  void OnBeforeEdit(int row, int column, bool& cancel);
  void OnAfterEdit(int row, int column);
  void OnBeforeSort(int column, int& order);
  void OnCompare(int row1, int row2, int& result);
  void OnSelectionChanged();
  void OnMouseUp(int button, int shift, float x, float y);

  // Device actions (InterfaceListActions.cpp).
  bool WriteAdminStatus(const std::shared_ptr<Interface>& target, bool enable);

  std::shared_ptr<Platform> platform_;
  ControlState state_;
  std::shared_ptr<linkwatch::Interfaces> interfaces_;
  std::unique_ptr<GridEventSink> gridEvents_;
  std::unique_ptr<GridSurface> table_;
  std::unique_ptr<Timer> pollTimer_;
  std::shared_ptr<DnsResolver> dns_;
  int dnsSubscription_ = 0;
  std::unique_ptr<SnmpEngine> snmp_;
  std::unique_ptr<SnmpMessage> currentMessage_;
  int32_t walksInProgress_ = 0;
  std::vector<std::string> walkFailures_;
};

}  // namespace linkwatch
