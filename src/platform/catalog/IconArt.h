#pragma once
#include <string>

#include "platform/catalog/IconPalette.h"
#include "platform/catalog/InterfaceFamily.h"
#include "platform/catalog/InterfaceStatus.h"
#include "platform/catalog/VendorBadge.h"

namespace linkwatch::icon_art {

// Every catalogue icon is a square of this many pixels.
inline constexpr int kIconSize = 16;

// Icon names, the same in both icon sets: "status-up", "iftype-ethernet",
// "vendor-cisco", "vendor-generic", ...
std::string StatusIconName(InterfaceStatus status);
std::string FamilyIconName(InterfaceFamily family);
std::string VendorIconName(const VendorBadge* badge);

// The icons as SVG documents drawn in the palette's colours.
std::string StatusIconSvg(InterfaceStatus status, const IconPalette& palette);
std::string FamilyIconSvg(InterfaceFamily family, const IconPalette& palette);
// A network device; with a badge it is tinted and labelled for that vendor.
std::string VendorIconSvg(const VendorBadge* badge, const IconPalette& palette);

}  // namespace linkwatch::icon_art
