// The control's properties that do more than store or return a field.
#include <algorithm>
#include <limits>

#include "common/DateFunctions.h"
#include "common/Globals.h"
#include "common/TextFunctions.h"
#include "control/InterfaceList.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {
namespace {

constexpr int32_t kMinRefreshInterval = 5;
constexpr int32_t kMaxRefreshInterval = 300;
// 1 January 2003: a NextPoll before it (zero included) means no poll is planned.
constexpr SerialDate kFirstPlannedPoll = 37622;

}  // namespace

std::string InterfaceList::MachineType() const {
  return Globals::Catalog()->SystemMachineType(state_.SystemOID);
}

std::string InterfaceList::Vendor() const { return Globals::Catalog()->SystemVendor(state_.SystemOID); }

PictureRef InterfaceList::VendorIcon() const {
  return Globals::Catalog()->SystemVendorIcon(state_.SystemOID);
}

void InterfaceList::SetRefreshInterval(int32_t& seconds) {
  seconds = std::clamp(seconds, kMinRefreshInterval, kMaxRefreshInterval);
  state_.RefreshInterval = seconds;
}

void InterfaceList::SetRefreshInterval(const int32_t& seconds) {
  int32_t clamped = seconds;
  SetRefreshInterval(clamped);
}

int32_t InterfaceList::SecondsTillUpdate() const {
  if (state_.NextPoll < kFirstPlannedPoll) return -1;
  const int64_t seconds =
      WholeSeconds(state_.NextPoll) - WholeSeconds(platform_->GetClock().Now());
  return static_cast<int32_t>(std::clamp<int64_t>(seconds, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

void InterfaceList::SetStatisticsList(const std::string& list) {
  // A change of letter case alone is no change: nothing is stored or laid out.
  if (EqualsIgnoreCase(list, state_.StatisticsList)) return;
  state_.StatisticsList = list;
  LayoutColumns();
}

bool InterfaceList::HighColorIcons() const { return Globals::Catalog()->HighColor(); }

void InterfaceList::SetHighColorIcons(bool setting) { Globals::Catalog()->SetHighColor(setting); }

std::shared_ptr<linkwatch::StatisticTemplates> InterfaceList::StatisticTemplates() const {
  return Globals::Templates();
}

int32_t InterfaceList::SNMPPort() const { return snmp_->Transport().Port; }

void InterfaceList::SetSNMPPort(int32_t port) {
  SnmpTransport transport = snmp_->Transport();
  transport.Port = port;
  snmp_->SetTransport(transport);
}

int32_t InterfaceList::SNMPTimeoutMs() const { return snmp_->Transport().TimeoutMs; }

void InterfaceList::SetSNMPTimeoutMs(int32_t timeoutMs) {
  SnmpTransport transport = snmp_->Transport();
  transport.TimeoutMs = timeoutMs;
  snmp_->SetTransport(transport);
}

int32_t InterfaceList::SNMPRetries() const { return snmp_->Transport().Retries; }

void InterfaceList::SetSNMPRetries(int32_t retries) {
  SnmpTransport transport = snmp_->Transport();
  transport.Retries = retries;
  snmp_->SetTransport(transport);
}

}  // namespace linkwatch
