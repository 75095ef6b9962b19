// Walk replies: the system group fills the control's system properties, every
// other walk routes its values by interface and child index into the data model;
// then the walk goes on after the last OID received or ends.
#include <cmath>
#include <optional>
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
// whole device.
bool Under(const std::string& oid, const std::string& base) {
  return !base.empty() && oid.size() >= base.size() &&
         EqualsIgnoreCase(std::string_view(oid).substr(0, base.size()), base);
}

}  // namespace

void InterfaceList::OnReply(SnmpMessage& response) {
  if (walksInProgress_ > 0) --walksInProgress_;
  std::vector<std::string> oids;
  std::vector<std::string> values;
  std::vector<std::string> hexValues;
  const auto count = static_cast<size_t>(response.Bindings.Count());
  oids.reserve(count);
  values.reserve(count);
  hexValues.reserve(count);
  for (const SnmpBinding& binding : response.Bindings) {
    oids.push_back(binding.OID);
    values.push_back(binding.Value);
    hexValues.push_back(binding.HexValue);
  }
  if (response.ErrorCode != kSnmpSuccess) NoteWalkFailure(response.Tag, response.ErrorText);
  try {
    ProcessReply(response.Tag, oids, values, hexValues);
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

void InterfaceList::ProcessReply(const std::string& tag, const std::vector<std::string>& oids,
                                 const std::vector<std::string>& values,
                                 const std::vector<std::string>& hexValues) {
  // An error ends the walk, and so does a reply without bindings.
  if (snmp_->LastResponse().ErrorCode != kSnmpSuccess || oids.empty()) return;

  // The tag is PollID ":" statistic name ":" base OID; replies of an earlier
  // monitoring run, and the control's own synchronous exchanges, are dropped.
  const std::vector<std::string> parts = Split(tag, ':');
  if (parts.size() < 3 || NumericValue(parts[0]) != state_.PollID) return;
  const std::string& statName = parts[1];
  const std::string& baseOid = parts[2];

  if (EqualsIgnoreCase(statName, kSystemWalkName)) {
    ProcessSystemReply(statName, baseOid, oids, values);
  } else {
    ProcessColumnReply(statName, baseOid, oids, values, hexValues);
  }
}

void InterfaceList::ProcessSystemReply(const std::string& statName, const std::string& baseOid,
                                       const std::vector<std::string>& oids,
                                       const std::vector<std::string>& values) {
  std::string lastOid;
  for (size_t i = 0; i < oids.size(); ++i) {
    const std::string& oid = oids[i];
    if (!Under(oid, kSystemGroupBase)) {
      SystemMIBComplete.Raise();
      PollNext();
      return;
    }
    const std::string& value = values[i];
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
                                       const std::vector<std::string>& oids,
                                       const std::vector<std::string>& values,
                                       const std::vector<std::string>& hexValues) {
  // Before the first start there is no collection to take the values.
  if (!interfaces_) return;
  std::string lastOid;
  for (size_t i = 0; i < oids.size(); ++i) {
    const std::string& oid = oids[i];
    if (!Under(oid, baseOid)) {
      PollNext();
      return;
    }
    // The OID after the base is the ifIndex, then an optional child index.
    const std::string suffix = oid.substr(baseOid.size());
    const size_t dot = suffix.find('.');
    const std::optional<int32_t> index = TryRoundToInt32(NumericValue(suffix.substr(0, dot)));
    if (!index) {
      // No interface has an index beyond 32 bits: the binding is skipped and the
      // walk goes on after it.
      lastOid = oid;
      continue;
    }
    const int32_t ifIndex = *index;
    const std::string childIndex = dot == std::string::npos ? std::string() : suffix.substr(dot + 1);
    const std::string& value = values[i];
    interfaces_->SetStatistic(ifIndex, childIndex, statName, value, hexValues[i]);

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
    lastOid = oid;
  }
  std::string base = baseOid;
  SNMPGetNext(statName, lastOid, base);
}

}  // namespace linkwatch
