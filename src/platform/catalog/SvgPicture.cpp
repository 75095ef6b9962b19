#include "platform/catalog/SvgPicture.h"

#include <utility>

namespace linkwatch {

SvgPicture::SvgPicture(std::string name, int width, int height, std::string svg)
    : name_(std::move(name)), width_(width), height_(height), svg_(std::move(svg)) {}

std::string SvgPicture::Name() const { return name_; }
int SvgPicture::Width() const { return width_; }
int SvgPicture::Height() const { return height_; }
std::string SvgPicture::Svg() const { return svg_; }

}  // namespace linkwatch
