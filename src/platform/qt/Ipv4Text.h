#pragma once
#include <optional>
#include <string>

namespace linkwatch {

// The canonical form ("a.b.c.d", plain decimal) of a dotted IPv4 address text:
// exactly four parts, each a whole decimal number from 0 to 255, blanks around a
// part allowed. None for anything else (host names, three or five parts, ...).
std::optional<std::string> CanonicalIpv4(const std::string& text);

inline bool IsDottedIpv4(const std::string& text) { return CanonicalIpv4(text).has_value(); }

}  // namespace linkwatch
