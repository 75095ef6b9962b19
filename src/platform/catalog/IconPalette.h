#pragma once

namespace linkwatch {

// The colours of one icon set. The high-colour set uses soft modern colours and
// a gloss; the low-colour set keeps to the sixteen standard VGA colours and flat
// fills, for hosts that show icons on limited displays or print them.
struct IconPalette {
  bool gloss;  // draw a white highlight over filled shapes
  const char* outline;
  const char* glyph;  // marks drawn on a coloured shape

  // Status colours.
  const char* up;
  const char* down;
  const char* testing;
  const char* unknown;
  const char* dormant;
  const char* notPresent;
  const char* lowerLayerDown;
  const char* adminDown;

  // Interface family colours.
  const char* ethernet;
  const char* wireless;
  const char* loopback;
  const char* tunnel;
  const char* wan;
  const char* virtualLink;
  const char* other;

  // A device of a vendor the catalogue has no badge for.
  const char* genericDevice;

  static const IconPalette& HighColor();
  static const IconPalette& LowColor();
};

}  // namespace linkwatch
