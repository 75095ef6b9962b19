#include "model/InterfaceChild.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "common/AddressFunctions.h"
#include "common/Globals.h"
#include "common/TextFunctions.h"
#include "model/Interface.h"
#include "model/InterfaceChildren.h"

namespace linkwatch {
namespace {

// Indexes of up to six parts are plain numbers; from seven parts on the index is
// a length-prefixed station text followed by a six-octet MAC address.
constexpr size_t kLongIndexParts = 7;
constexpr size_t kMacParts = 6;

bool IsStationCharacter(double code) {
  return code == 10 || code == 13 || (code >= 32 && code <= 125);
}

// Two upper-case hex digits for one octet of the index. Parts that are not
// octets keep only their low eight bits.
std::string OctetHex(const std::string& part) {
  const double number = NumericValue(part);
  const auto octet = static_cast<unsigned>(static_cast<long long>(std::trunc(number)) & 0xFF);
  char digits[3];
  std::snprintf(digits, sizeof digits, "%02X", octet);
  return digits;
}

}  // namespace

std::shared_ptr<linkwatch::Statistics> InterfaceChild::Statistics() {
  return std::shared_ptr<linkwatch::Statistics>(InterfaceChildren::Handle(shared_from_this()),
                                                &statistics_);
}

std::string InterfaceChild::ChildIndex() const {
  const size_t dot = index_.find('.');
  return dot == std::string::npos ? index_ : index_.substr(dot + 1);
}

void InterfaceChild::SetStatistic(linkwatch::Interface& owner, const std::string& statName,
                                  const std::string& value, const std::string& hexVal) {
  lastUpdate_ = Globals::GetPlatform().GetClock().Now();
  statistics_.SetStatistic(&owner, ChildIndex(), statName, value, hexVal);
}

std::string InterfaceChild::Label() const {
  const std::shared_ptr<Statistic> first = statistics_.Item(1);
  if (!first) return {};
  const StatisticTemplateRef firstTemplate = first->StatisticTemplate();
  return firstTemplate ? firstTemplate->Child() : std::string();
}

std::string InterfaceChild::Name() {
  const std::string childIndex = ChildIndex();
  const std::vector<std::string> parts = Split(childIndex, '.');
  if (parts.size() < kLongIndexParts) {
    return statistics_.Count() > 0 ? Label() + " " + childIndex : childIndex;
  }
  return LongIndexName(childIndex);
}

std::string InterfaceChild::LongIndexName(const std::string& childIndex) {
  const std::vector<std::string> parts = Split(childIndex, '.');
  const size_t macStart = parts.size() - kMacParts;

  // Station text: parts 1 .. before the MAC (part 0 is the text's length).
  std::string station;
  for (size_t i = 1; i < macStart; ++i) {
    const double code = NumericValue(parts[i]);
    if (IsStationCharacter(code)) station += static_cast<char>(static_cast<int>(code));
  }

  std::string hex;
  for (size_t i = macStart; i < parts.size(); ++i) hex += OctetHex(parts[i]);
  const std::string mac = NormalizeMacAddress(hex);

  // The MAC address is recorded under the child's full index.
  const std::shared_ptr<linkwatch::Interface> owner = interface_.lock();
  statistics_.SetStatistic(owner.get(), index_, kCardManufacturer, mac, mac);
  statistics_.SetStatistic(owner.get(), index_, kClientMacAddress, mac, mac);

  return statistics_.Count() > 0 ? Label() + " " + station + " " + mac : mac;
}

}  // namespace linkwatch
