#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace linkwatch::oid_text {

// The numeric dotted form of an object identifier as devices report it, without
// a leading or trailing "." and with a leading "iso" written as "1". Empty when the text is
// not a dotted list of decimal sub-identifiers.
std::string Normalize(const std::string& oid);

// The private enterprise number of an OID below 1.3.6.1.4.1 (the first
// sub-identifier after that prefix); none for any other OID.
std::optional<uint32_t> EnterpriseNumber(const std::string& oid);

}  // namespace linkwatch::oid_text
