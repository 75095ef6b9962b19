#pragma once
#include <string>

namespace linkwatch {

// A picture the grid can show in a cell or as its background: an icon of the
// device catalogue or an image the host supplies. Every picture has a name, so a
// text host can show it as text.
class Picture {
 public:
  virtual ~Picture() = default;

  virtual std::string Name() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The picture as an SVG document; empty for a picture that is not vector art.
  virtual std::string Svg() const = 0;
};

}  // namespace linkwatch
