// Starting, stopping and restarting monitoring: the target's address, the SNMP
// version, the interface count, and the hand-over to the poll cycle.
#include <algorithm>
#include <cstdint>

#include "common/AddressFunctions.h"
#include "common/TextFunctions.h"
#include "control/InterfaceList.h"
#include "control/WalkOids.h"

namespace linkwatch {
namespace {

constexpr int16_t kSNMPv1 = 1;
constexpr int16_t kSNMPv2c = 2;
constexpr int16_t kSNMPv3 = 3;
constexpr int16_t kNoAnswer = 0;
constexpr int32_t kMaxBulkSize = 20;

}  // namespace

bool InterfaceList::StartMonitoring() {
  state_.LastError.clear();

  // The address to talk to.
  if (IsIPAddress(state_.Target)) {
    state_.IP = state_.Target;
  } else {
    state_.IP = snmp_->ResolveHost(state_.Target);
    if (!IsIPAddress(state_.IP)) {
      state_.LastError = "Cannot resolve '" + state_.Target + "' to an IP Address.";
      return false;
    }
  }

  // The version: SNMPv3 is only checked for an answer; v1 and v2c are detected.
  if (state_.SNMPVersion == kSNMPv3) {
    PrepareMessage(false);
    SynchronousGet("sysObjectID", kSysObjectIdInstance, kSNMPv3);
    const SnmpMessage& response = snmp_->LastResponse();
    if (response.ErrorCode != kSnmpSuccess) {
      state_.LastError =
          state_.Target + " does not respond to SNMP Queries. " + response.ErrorText;
      return false;
    }
  } else {
    state_.SNMPVersion = DetectVersion();
  }
  if (state_.SNMPVersion == kNoAnswer) {
    const std::string who = EqualsIgnoreCase(state_.Target, state_.IP)
                                ? state_.Target
                                : state_.Target + " (" + state_.IP + ")";
    state_.LastError =
        who + " does not respond to SNMP Queries using '" + state_.Community + "'";
    return false;
  }

  // One bulk reply can carry a whole column of a small device and the first
  // binding past it.
  state_.InterfaceCount = ReadInterfaceCount();
  state_.BulkSize = static_cast<int16_t>(
      state_.InterfaceCount < kMaxBulkSize ? state_.InterfaceCount + 1 : kMaxBulkSize);

  ++state_.PollID;
  state_.Active = true;
  GetSystemMIB();
  LayoutColumns();
  ReplaceInterfaces();
  Poll(true);
  pollTimer_->SetEnabled(true);
  return true;
}

int16_t InterfaceList::DetectVersion() {
  // SNMPv2c is preferred; a try counts only with a non-empty answer, so an agent
  // that answers v2c with an exception falls back to v1.
  PrepareMessage(false);
  for (const int16_t version : {kSNMPv2c, kSNMPv1}) {
    SynchronousGet("sysObjectID", kSysObjectIdInstance, version);
    const SnmpMessage& response = snmp_->LastResponse();
    if (response.ErrorCode == kSnmpSuccess && response.Bindings.Count() > 0 &&
        !response.Bindings.Item(0).Value.empty()) {
      return version;
    }
  }
  return kNoAnswer;
}

int32_t InterfaceList::ReadInterfaceCount() {
  PrepareMessage(false);
  SynchronousGet("ifNumber", kIfNumberInstance, state_.SNMPVersion);
  const SnmpMessage& response = snmp_->LastResponse();
  if (response.Bindings.Count() == 0) return 0;
  // Devices report nonsense too: a count below zero reads as none, and one beyond
  // what a 32-bit count holds (a Counter64, a long text) as the largest count.
  const double count = NumericValue(response.Bindings.Item(0).Value);
  if (!(count > 0)) return 0;
  return TryRoundToInt32(count).value_or(INT32_MAX);
}

void InterfaceList::SynchronousGet(const std::string& label, const std::string& oid,
                                   int16_t version) {
  SnmpMessage& message = *currentMessage_;
  message.Tag = label;
  message.Bindings.Clear();
  message.Bindings.Add(oid, "", kSnmpNull);
  message.Version = version;
  message.Kind = kSnmpGet;
  bool deliverByEvent = false;
  snmp_->Send(message, deliverByEvent);
}

void InterfaceList::StopMonitoring() {
  // Walks still in flight are answered and processed; the collection, the table
  // and PollID stay as they are.
  state_.Active = false;
  pollTimer_->SetEnabled(false);
  state_.LastError.clear();
  // Forgetting the list makes the next write of any list lay the table out again.
  state_.StatisticsList.clear();
  bool active = false;
  Status.Raise(active);
}

void InterfaceList::Restart() {
  if (!interfaces_ || !state_.Active) return;
  PruneStatistics();
  LayoutColumns();
  Poll(true);
}

}  // namespace linkwatch
