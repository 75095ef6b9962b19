// Walk replies: the system group fills the control's system properties, every
// other walk routes its values by interface and child index into the data model;
// then the walk goes on after the last OID received or ends.
#include <cmath>
#include <optional>
#include <string_view>
#include <stdexcept>

#include "common/DateFunctions.h"
#include "common/Globals.h"
#include "common/TextFunctions.h"
#include "control/InterfaceList.h"
#include "control/WalkOids.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

constexpr int32_t kAdministrative = 1;

// The OID lies under base (compared ignoring letter case). An empty base lies
// under nothing: a walk always has a base, and an empty one would take in the
// whole device. OIDs are digits and dots, so the exact comparison nearly always
// decides; letter case is looked at only when it does not.
bool Under(std::string_view oid, std::string_view base) {
  if (base.empty() || oid.size() < base.size()) return false;
  const std::string_view head = oid.substr(0, base.size());
  return head == base || EqualsIgnoreCase(head, base);
}

}  // namespace

void InterfaceList::OnReply(SnmpMessage& response) {
  if (walksInProgress_ > 0) --walksInProgress_;
  if (response.ErrorCode != kSnmpSuccess) NoteWalkFailure(response.Tag, response.ErrorText);
  // The bindings are read in place: nothing that handles them calls out of the
  // control before the walk's next request, which is sent after the last one
  // was read (or not at all).
  try {
    ProcessReply(response);
  } catch (const std::exception& failure) {
    // The walk ends here; the engine's dispatch deals with the exception.
    NoteWalkFailure(response.Tag, failure.what());
    throw;
  }
}

void InterfaceList::NoteWalkFailure(const std::string& tag, const std::string& why) {
  const std::vector<std::string> parts = Split(tag, ':');
  if (parts.size() < 3 || NumericValue(parts[0]) != state_.PollID) return;
  if (walkFailures_.size() >= kMaxWalkFailures) return;
  walkFailures_.push_back("'" + parts[1] + "': " + why);
}

void InterfaceList::ProcessReply(const SnmpMessage& response) {
  // An error ends the walk, and so does a reply without bindings.
  if (response.ErrorCode != kSnmpSuccess || response.Bindings.Count() == 0) return;
  const std::string& tag = response.Tag;

  // The tag is PollID ":" statistic name ":" base OID; replies of an earlier
  // monitoring run, and the control's own synchronous exchanges, are dropped.
  const std::vector<std::string> parts = Split(tag, ':');
  if (parts.size() < 3 || NumericValue(parts[0]) != state_.PollID) return;
  const std::string& statName = parts[1];
  const std::string& baseOid = parts[2];

  if (EqualsIgnoreCase(statName, kSystemWalkName)) {
    ProcessSystemReply(statName, baseOid, response.Bindings);
  } else {
    ProcessColumnReply(statName, baseOid, response.Bindings);
  }
}

void InterfaceList::ProcessSystemReply(const std::string& statName, const std::string& baseOid,
                                       const SnmpBindingList& bindings) {
  std::string lastOid;
  for (const SnmpBinding& binding : bindings) {
    const std::string& oid = binding.OID;
    if (!Under(oid, kSystemGroupBase)) {
      SystemMIBComplete.Raise();
      PollNext();
      return;
    }
    const std::string& value = binding.Value;
    if (oid == kSysDescrInstance) {
      state_.SysDescr = value;
    } else if (oid == kSysObjectIdInstance) {
      state_.SystemOID = value;
    } else if (oid == kSysUpTimeInstance) {
      if (!value.empty()) {
        // TimeTicks count hundredths of a second since the device started.
        // Rounded as a double: an agent may send a Counter64 far beyond 32 bits.
        state_.SysUpTime = static_cast<float>(NumericValue(value) / 100.0);
        state_.LastBoot = AddSeconds(platform_->GetClock().Now(),
                                     -std::nearbyint(static_cast<double>(state_.SysUpTime)));
        Globals::SetSharedLastBoot(state_.LastBoot);
      }
    } else if (oid == kSysContactInstance) {
      state_.SysContact = value;
    } else if (oid == kSysNameInstance) {
      state_.SysName = value;
    } else if (oid == kSysLocationInstance) {
      state_.SysLocation = value;
    }
    lastOid = oid;
  }
  SystemMIBComplete.Raise();
  std::string base = baseOid;
  SNMPGetNext(statName, lastOid, base);
}

void InterfaceList::ProcessColumnReply(const std::string& statName, const std::string& baseOid,
                                       const SnmpBindingList& bindings) {
  // Before the first start there is no collection to take the values.
  if (!interfaces_) return;
  const SnmpBinding* last = nullptr;
  std::string childIndex;
  for (const SnmpBinding& binding : bindings) {
    const std::string& oid = binding.OID;
    if (!Under(oid, baseOid)) {
      PollNext();
      return;
    }
    // The OID after the base is the ifIndex, then an optional child index.
    const std::string_view suffix = std::string_view(oid).substr(baseOid.size());
    const size_t dot = suffix.find('.');
    const std::optional<int32_t> index = TryRoundToInt32(NumericValue(suffix.substr(0, dot)));
    last = &binding;
    if (!index) {
      // No interface has an index beyond 32 bits: the binding is skipped and the
      // walk goes on after it.
      continue;
    }
    const int32_t ifIndex = *index;
    if (dot == std::string_view::npos) {
      childIndex.clear();
    } else {
      childIndex.assign(suffix.substr(dot + 1));
    }
    const std::string& value = binding.Value;
    interfaces_->SetStatistic(ifIndex, childIndex, statName, value, binding.HexValue);

    // Three columns also feed the interface itself, whichever walk brought them.
    if (Under(oid, kIfAdminStatusBase)) {
      // A status beyond 16 bits is no status: the interface keeps the one it had.
      if (const std::optional<int16_t> raw = TryRoundToInt16(NumericValue(value))) {
        interfaces_->SetAdminStatus(ifIndex,
                                    Globals::Catalog()->NormalizeStatus(*raw, kAdministrative));
      }
      state_.AdminStatusSeen = true;
    } else if (Under(oid, kIfDescrBase)) {
      interfaces_->SetName(ifIndex, value);
      state_.DescrSeen = true;
    } else if (Under(oid, kIfSpeedBase)) {
      interfaces_->SetBandwidth(ifIndex, static_cast<float>(NumericValue(value)));
      state_.SpeedSeen = true;
    }
  }
  std::string base = baseOid;
  SNMPGetNext(statName, last ? last->OID : std::string(), base);
}

}  // namespace linkwatch
