#pragma once
#include <string>

#include "components/Picture.h"

namespace linkwatch {

// An icon of the device catalogue: a small SVG document drawn in code, with a
// name a text-only host can show instead of the picture.
class SvgPicture : public Picture {
 public:
  SvgPicture(std::string name, int width, int height, std::string svg);

  std::string Name() const override;
  int Width() const override;
  int Height() const override;
  std::string Svg() const override;

 private:
  std::string name_;
  int width_;
  int height_;
  std::string svg_;
};

}  // namespace linkwatch
