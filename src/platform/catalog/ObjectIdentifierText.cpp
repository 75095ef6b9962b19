#include "platform/catalog/ObjectIdentifierText.h"

#include <string_view>

#include "platform/catalog/RegistryText.h"

namespace linkwatch::oid_text {

std::string Normalize(const std::string& oid) {
  std::string_view text = registry_text::Trim(oid);
  if (!text.empty() && text.front() == '.') text.remove_prefix(1);
  if (!text.empty() && text.back() == '.') text.remove_suffix(1);
  std::string result;
  if (text.substr(0, 4) == "iso.") {
    result = "1.";
    text.remove_prefix(4);
  } else if (text == "iso") {
    return "1";
  }
  if (text.empty()) return {};
  bool previousWasDot = true;  // no empty sub-identifier at the start
  for (char c : text) {
    if (c == '.') {
      if (previousWasDot) return {};
      previousWasDot = true;
    } else if (c >= '0' && c <= '9') {
      previousWasDot = false;
    } else {
      return {};
    }
    result += c;
  }
  if (previousWasDot) return {};
  return result;
}

std::optional<uint32_t> EnterpriseNumber(const std::string& oid) {
  static constexpr std::string_view kEnterprises = "1.3.6.1.4.1.";
  const std::string normalized = Normalize(oid);
  if (normalized.compare(0, kEnterprises.size(), kEnterprises) != 0) return std::nullopt;
  std::string_view rest = std::string_view(normalized).substr(kEnterprises.size());
  rest = rest.substr(0, rest.find('.'));
  uint32_t number = 0;
  if (!registry_text::ParseDecimal(rest, number)) return std::nullopt;
  return number;
}

}  // namespace linkwatch::oid_text
