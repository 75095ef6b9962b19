#include "platform/catalog/InterfaceFamily.h"

#include <array>
#include <utility>

namespace linkwatch {
namespace {

constexpr std::array<std::pair<InterfaceFamily, std::string_view>, 7> kWords{{
    {InterfaceFamily::Ethernet, "ethernet"},
    {InterfaceFamily::Wireless, "wireless"},
    {InterfaceFamily::Loopback, "loopback"},
    {InterfaceFamily::Tunnel, "tunnel"},
    {InterfaceFamily::Wan, "wan"},
    {InterfaceFamily::Virtual, "virtual"},
    {InterfaceFamily::Other, "other"},
}};

}  // namespace

std::string_view FamilyWord(InterfaceFamily family) {
  for (const auto& [candidate, word] : kWords) {
    if (candidate == family) return word;
  }
  return "other";
}

InterfaceFamily FamilyFromWord(std::string_view word) {
  for (const auto& [family, candidate] : kWords) {
    if (candidate == word) return family;
  }
  return InterfaceFamily::Other;
}

}  // namespace linkwatch
