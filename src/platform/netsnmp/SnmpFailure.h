#pragma once
#include <cstdint>
#include <string>

#include "components/SnmpErrorCode.h"

namespace linkwatch::netsnmp {

// Why an exchange failed: an SnmpErrorCode and the English text shown to the user.
struct SnmpFailure {
  int32_t Code = kSnmpSuccess;
  std::string Text;
};

}  // namespace linkwatch::netsnmp
