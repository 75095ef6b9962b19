#include "platform/catalog/IconPalette.h"

namespace linkwatch {

const IconPalette& IconPalette::HighColor() {
  static const IconPalette palette{
      .gloss = true,
      .outline = "#24292F",
      .glyph = "#FFFFFF",
      .up = "#2EA043",
      .down = "#D1242F",
      .testing = "#D4A017",
      .unknown = "#8C959F",
      .dormant = "#3B82F6",
      .notPresent = "#AEB6BF",
      .lowerLayerDown = "#E8590C",
      .adminDown = "#6E7781",
      .ethernet = "#2563EB",
      .wireless = "#7C3AED",
      .loopback = "#0D9488",
      .tunnel = "#B45309",
      .wan = "#DC2626",
      .virtualLink = "#64748B",
      .other = "#9CA3AF",
      .genericDevice = "#4B5563",
  };
  return palette;
}

const IconPalette& IconPalette::LowColor() {
  static const IconPalette palette{
      .gloss = false,
      .outline = "#000000",
      .glyph = "#FFFFFF",
      .up = "#008000",
      .down = "#FF0000",
      .testing = "#808000",
      .unknown = "#808080",
      .dormant = "#000080",
      .notPresent = "#C0C0C0",
      .lowerLayerDown = "#800000",
      .adminDown = "#808080",
      .ethernet = "#0000FF",
      .wireless = "#800080",
      .loopback = "#008080",
      .tunnel = "#808000",
      .wan = "#800000",
      .virtualLink = "#808080",
      .other = "#C0C0C0",
      .genericDevice = "#808080",
  };
  return palette;
}

}  // namespace linkwatch
