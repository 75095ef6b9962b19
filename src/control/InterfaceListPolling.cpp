// The poll cycle: the timer tick, the start of a cycle, the walk of each
// statistic column and the chain that leads from one walk to the next, through
// the three column checks to the table refresh and the Status event.
#include "common/DateFunctions.h"
#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "control/WalkOids.h"
#include "control/WalkTag.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {
namespace {

// The first poll of a run is followed by a second one this much later, so
// counters show a rate soon after the start.
constexpr double kSecondPollDelaySeconds = 7;

}  // namespace

void InterfaceList::OnPollTimerTick() {
  // The argument is the control's own field: a handler that clears it turns
  // timed polling off from this tick on.
  PollTimer.Raise(state_.AutoUpdate);
  const SerialDate now = platform_->GetClock().Now();
  if (state_.NextPoll < now && (!state_.RegularPolling || state_.AutoUpdate)) {
    Poll(false);
  }
}

void InterfaceList::Poll(bool firstTime) {
  state_.NextStatisticIndex = 0;
  state_.AdminStatusSeen = false;
  state_.DescrSeen = false;
  state_.SpeedSeen = false;
  if (!state_.Active) return;
  walkFailures_.clear();

  const SerialDate now = platform_->GetClock().Now();
  if (firstTime) {
    state_.NextPoll = AddSeconds(now, kSecondPollDelaySeconds);
    state_.RegularPolling = false;
  } else {
    state_.NextPoll = AddSeconds(now, state_.RefreshInterval);
    state_.RegularPolling = true;
  }

  if (state_.Synchronous) {
    // Every statistic's walk at once; each end of a walk goes on with the checks.
    const auto count = static_cast<int32_t>(state_.StatisticNames.size());
    for (int32_t i = 0; i < count; ++i) {
      state_.NextStatisticIndex = i;
      PollStatistic(state_.StatisticNames[static_cast<size_t>(i)]);
    }
    state_.NextStatisticIndex = count;
  } else {
    PollNext();
  }
  pollTimer_->SetEnabled(true);
}

void InterfaceList::PollStatistic(const std::string& statName) {
  // A name without a template, or a template without a MIB object (a check-box
  // only statistic), sends nothing.
  const auto definition = Globals::Templates()->Item(statName);
  if (!definition || !definition->OID()) return;
  SNMPGetNext(statName, definition->OID()->NumericOid());
}

void InterfaceList::SNMPGetNext(const std::string& statName, std::string oid) {
  std::string baseOid;
  SNMPGetNext(statName, std::move(oid), baseOid);
}

void InterfaceList::SNMPGetNext(const std::string& statName, std::string oid,
                                std::string& baseOid) {
  if (oid.empty() || oid.back() != '.') oid += '.';
  if (baseOid.empty()) baseOid = oid;
  PrepareMessage(true);

  SnmpMessage& message = *currentMessage_;
  const std::string tag = WalkTag::Make(state_.PollID, statName, baseOid);
  if (state_.SNMPVersion == 2 || state_.SNMPVersion == 3) {
    message.Bindings.Clear();
    message.Bindings.Add(oid, "", kSnmpNull);
    message.Tag = tag;
    message.NonRepeaters = 0;
    message.Version = state_.SNMPVersion;
    message.MaxRepetitions = state_.BulkSize;
    message.Kind = kSnmpGetBulk;
  } else {
    message.Tag = tag;
    message.Bindings.Clear();
    message.Bindings.Add(oid, "", kSnmpNull);
    message.Version = 1;
    message.Kind = kSnmpGetNext;
  }
  bool deliverByEvent = true;
  snmp_->Send(message, deliverByEvent);
  ++walksInProgress_;
}

void InterfaceList::PollNext() {
  const auto count = static_cast<int32_t>(state_.StatisticNames.size());
  if (state_.NextStatisticIndex < count) {
    PollStatistic(state_.StatisticNames[static_cast<size_t>(state_.NextStatisticIndex)]);
    ++state_.NextStatisticIndex;
    return;
  }
  if (!state_.AdminStatusSeen) {
    SNMPGetNext(kAdminStatusCheckName, kIfAdminStatusBase);
    state_.AdminStatusSeen = true;
    return;
  }
  if (!state_.DescrSeen) {
    SNMPGetNext(kDescrCheckName, kIfDescrBase);
    state_.DescrSeen = true;
    return;
  }
  if (!state_.SpeedSeen) {
    SNMPGetNext(kSpeedCheckName, kIfSpeedBase);
    state_.SpeedSeen = true;
    return;
  }
  // Every chain that finds nothing left refreshes the table and raises Status
  // (with parallel walks, each walk's end), so a host's Status handler always
  // finds the table showing what has arrived.
  RefreshTable();
  bool active = false;
  Status.Raise(active);
}

void InterfaceList::GetSystemMIB() {
  state_.SysName.clear();
  state_.SysDescr.clear();
  state_.SystemOID.clear();
  state_.SysLocation.clear();
  state_.SysContact.clear();
  SNMPGetNext(kSystemWalkName, kSystemGroupBase);
}

}  // namespace linkwatch
