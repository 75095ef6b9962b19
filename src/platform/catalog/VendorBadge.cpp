#include "platform/catalog/VendorBadge.h"

#include <array>

namespace linkwatch {
namespace {

constexpr std::array<VendorBadge, 9> kBadges{{
    {9, "cisco", "C", "#1BA0D7", "#008080"},
    {11, "hp", "HP", "#0096D6", "#000080"},
    {2636, "juniper", "J", "#84B135", "#008000"},
    {14988, "mikrotik", "M", "#293B4D", "#800000"},
    {41112, "ubiquiti", "U", "#0559C9", "#0000FF"},
    {8072, "net-snmp", "N", "#8A6D1F", "#808000"},
    {2021, "ucd-snmp", "N", "#8A6D1F", "#808000"},
    {14823, "aruba", "A", "#FF8300", "#800080"},
    {4526, "netgear", "NG", "#5B2D8E", "#FF00FF"},
}};

}  // namespace

const VendorBadge* VendorBadge::Find(uint32_t enterpriseNumber) {
  for (const VendorBadge& badge : kBadges) {
    if (badge.enterpriseNumber == enterpriseNumber) return &badge;
  }
  return nullptr;
}

}  // namespace linkwatch
