#pragma once
#include <memory>
#include <string>

#include <QImage>

#include "components/Picture.h"

namespace linkwatch {

// A raster picture, such as the grid's background image a host supplies. Its
// name is the file's base name ("logo" for /path/logo.png) or the name given
// with an image. It is not vector art, so Svg() is empty.
class QtPicture final : public Picture {
 public:
  QtPicture(QImage image, std::string name);

  // Reads an image file (any format Qt reads: PNG, JPEG, BMP, ...). On failure
  // returns none and sets error to a text naming the file and the reason.
  static std::shared_ptr<QtPicture> FromFile(const std::string& path, std::string& error);

  std::string Name() const override;
  int Width() const override;
  int Height() const override;
  std::string Svg() const override;

  const QImage& Image() const { return image_; }

 private:
  QImage image_;
  std::string name_;
};

}  // namespace linkwatch
