#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "components/Clock.h"
#include "components/DeviceCatalog.h"

namespace linkwatch {

// The plain fields of an InterfaceList, in the order of the control's state, with
// the values a new control starts from. The owned objects (collection, grid,
// timer, engine, resolver, current message) live in the control itself.
struct ControlState {
  bool Active = false;
  std::string Target;  // host name or dotted address, as the host gave it
  std::string IP;      // address used for SNMP
  std::string Community;
  int16_t SNMPVersion = 0;  // 3 selects SNMPv3; otherwise detected at start
  std::string SNMPContext;
  std::string SNMPUsername;
  int16_t SNMPAuthType = 0;
  std::string SNMPAuthPass;
  int16_t SNMPEncryptType = 0;
  std::string SNMPEncryptPass;
  std::string SysName;
  std::string SysDescr;
  std::string SystemOID;  // the value of sysObjectID
  std::string SysLocation;
  std::string SysContact;
  float SysUpTime = 0;      // seconds
  SerialDate LastBoot = 0;  // now minus SysUpTime
  bool AutoUpdate = false;
  bool RegularPolling = false;  // kind of the last poll started
  int32_t PollID = 0;           // monitoring run, tags every request
  int32_t InterfaceCount = 0;   // the device's ifNumber
  int16_t BulkSize = 0;         // repetitions of a bulk walk
  SerialDate NextPoll = 0;
  std::string StatisticsList;  // names separated by ","
  std::vector<std::string> StatisticNames;  // StatisticsList split at the last layout
  int32_t NextStatisticIndex = 0;           // walk position
  bool Synchronous = false;
  bool AdminStatusSeen = false;
  bool SpeedSeen = false;
  bool DescrSeen = false;
  std::string LastError;
  int32_t RefreshInterval = 0;  // 30 once created; 5..300
  int16_t SortDirection = 0;
  int16_t SortColumn = 0;
  PictureRef Background;
};

}  // namespace linkwatch
