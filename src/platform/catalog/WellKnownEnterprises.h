#pragma once
#include <cstdint>
#include <string_view>

namespace linkwatch {

// The names users know the best-known network vendors by, for the enterprise
// numbers whose registry entry reads differently ("ciscoSystems", a URL in
// brackets, a legal form or a former name). Our own short list, ahead of the
// registry file.
class WellKnownEnterprises {
 public:
  // The familiar name of an enterprise number; empty when the list has none.
  static std::string_view Find(uint32_t number);
};

}  // namespace linkwatch
