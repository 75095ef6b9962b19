// Walk replies: the system group fills the control's system properties, every
// other walk routes its values by interface and child index into the data model;
// then the walk goes on after the last OID received or ends.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <stdexcept>

#include "common/DateFunctions.h"
#include "common/Globals.h"
#include "common/TextFunctions.h"
#include "control/InterfaceList.h"
#include "control/WalkOids.h"
#include "control/WalkTag.h"
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
  const auto differ = std::mismatch(base.begin(), base.end(), oid.begin());
  if (differ.first == base.end()) return true;
  // Only ASCII letters can differ in case alone.
  const char lower = static_cast<char>(*differ.first | 0x20);
  return lower >= 'a' && lower <= 'z' && EqualsIgnoreCase(oid.substr(0, base.size()), base);
}

}  // namespace

void InterfaceList::OnReply(SnmpMessage& response) {
  if (walksInProgress_ > 0) --walksInProgress_;
  if (response.ErrorCode != kSnmpSuccess) NoteWalkFailure(response.Tag, response.ErrorText);
  // The bindings are read in place: nothing that handles them calls out of the
  // control, and the walk's next request is built in a message of its own.
  try {
    ProcessReply(response);
  } catch (const std::exception& failure) {
    // The walk ends here; the engine's dispatch deals with the exception.
    NoteWalkFailure(response.Tag, failure.what());
    throw;
  }
}

void InterfaceList::NoteWalkFailure(const std::string& tag, const std::string& why) {
  const std::optional<WalkTag> walk = WalkTag::Read(tag);
  if (!walk || walk->PollID != state_.PollID) return;
  if (walkFailures_.size() >= kMaxWalkFailures) return;
  walkFailures_.push_back("'" + walk->StatName + "': " + why);
}

void InterfaceList::ProcessReply(const SnmpMessage& response) {
  // An error ends the walk, and so does a reply without bindings.
  if (response.ErrorCode != kSnmpSuccess || response.Bindings.Count() == 0) return;
  // Replies of an earlier monitoring run, and the control's own synchronous
  // exchanges, are dropped.
  const std::optional<WalkTag> walk = WalkTag::Read(response.Tag);
  if (!walk || walk->PollID != state_.PollID) return;
  const std::string& statName = walk->StatName;
  const std::string& baseOid = walk->BaseOid;

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
  // The bindings before the first one past the base belong to the walk; when all
  // do, the walk goes on after the last of them.
  int32_t inside = 0;
  while (inside < bindings.Count() && Under(bindings.Item(inside).OID, baseOid)) ++inside;
  const bool walkGoesOn = inside == bindings.Count();
  if (walkGoesOn) {
    // The next request goes out before this reply's values are routed, so the
    // device prepares its answer meanwhile. Requests are built in a message of
    // their own, and replies arrive by event only, so these bindings stay as
    // they are until this handler returns.
    std::string base = baseOid;
    SNMPGetNext(statName, bindings.Item(inside - 1).OID, base);
  }
  std::string childIndex;
  for (int32_t position = 0; position < inside; ++position) {
    RouteColumnValue(statName, baseOid, bindings.Item(position), childIndex);
  }
  if (!walkGoesOn) PollNext();
}

// One binding of a column walk into the model. childIndex is the caller's buffer,
// kept across bindings so the child index is not allocated anew for each.
void InterfaceList::RouteColumnValue(const std::string& statName, const std::string& baseOid,
                                     const SnmpBinding& binding, std::string& childIndex) {
  const std::string& oid = binding.OID;
  // The OID after the base is the ifIndex, then an optional child index.
  const std::string_view suffix = std::string_view(oid).substr(baseOid.size());
  const size_t dot = suffix.find('.');
  const std::optional<int32_t> index = TryRoundToInt32(NumericValue(suffix.substr(0, dot)));
  // No interface has an index beyond 32 bits: the binding is skipped (the walk
  // still goes on after it).
  if (!index) return;
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
      interfaces_->SetAdminStatus(ifIndex, Globals::Catalog()->NormalizeStatus(*raw, kAdministrative));
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

}  // namespace linkwatch
