#include "platform/catalog/WellKnownEnterprises.h"

#include <algorithm>
#include <array>
#include <utility>

namespace linkwatch {
namespace {

// Sorted by number. Only entries whose registry text is not what a network
// engineer expects to read.
constexpr std::array<std::pair<uint32_t, std::string_view>, 19> kNames = {{
    {2, "IBM"},
    {9, "Cisco"},
    {11, "Hewlett-Packard"},
    {171, "D-Link"},
    {207, "Allied Telesis"},
    {674, "Dell"},
    {1991, "Brocade"},
    {2011, "Huawei"},
    {2636, "Juniper Networks"},
    {3375, "F5"},
    {6486, "Alcatel-Lucent Enterprise"},
    {8072, "Net-SNMP"},
    {11863, "TP-Link"},
    {12356, "Fortinet"},
    {14179, "Airespace"},
    {14823, "Aruba"},
    {25506, "H3C"},
    {30065, "Arista Networks"},
    {41112, "Ubiquiti"},
}};

}  // namespace

std::string_view WellKnownEnterprises::Find(uint32_t number) {
  const auto it = std::lower_bound(kNames.begin(), kNames.end(), number,
                                   [](const auto& entry, uint32_t n) { return entry.first < n; });
  return it != kNames.end() && it->first == number ? it->second : std::string_view();
}

}  // namespace linkwatch
