#pragma once
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <string>
#include <string_view>
#include <vector>

namespace linkwatch::netsnmp {

// Numeric object identifiers as text: dotted decimal without a leading dot.
class OidText {
 public:
  // Reads "1.3.6.1.2.1.1.", ".1.3.6.1.2.1.1" or "1.3.6.1.2.1.1" (the same position)
  // into sub-identifiers. False when the text is not a dotted number of 1 to 128
  // sub-identifiers, each at most 4294967295.
  static bool Parse(const std::string& text, std::vector<oid>& subIds);
  // The same into subIds, room for MAX_OID_LEN sub-identifiers; count is how many.
  static bool Parse(std::string_view text, oid* subIds, size_t& count);

  static std::string Format(const oid* subIds, size_t count);
};

}  // namespace linkwatch::netsnmp
