#pragma once
#include <cstdint>

namespace linkwatch {

// How the vendor icon marks a well-known vendor: a device tinted in the vendor's
// colour with a short label on it.
struct VendorBadge {
  uint32_t enterpriseNumber;  // IANA private enterprise number
  const char* key;            // in the icon name, e.g. "cisco" for "vendor-cisco"
  const char* label;          // one or two letters drawn on the device
  const char* highColor;
  const char* lowColor;       // one of the sixteen VGA colours

  // The badge of an enterprise number; none for vendors without one.
  static const VendorBadge* Find(uint32_t enterpriseNumber);
};

}  // namespace linkwatch
