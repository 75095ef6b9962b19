#pragma once
#include <QImage>
#include <QSize>

#include "components/Picture.h"

namespace linkwatch {

// Turns any Picture into an image a Qt view can draw.
// - A QtPicture gives its own image.
// - A picture with SVG text is drawn from the SVG (when the library was built
//   with Qt SVG, see CanRenderSvg).
// - Anything else (or SVG that cannot be drawn) becomes a transparent image
//   with the picture's name written on it, so the user still sees what it is.
// With a valid size the result has exactly that size and the picture is scaled
// to fit inside it, keeping its proportions; otherwise the picture's own size is
// used (for a picture without one: the SVG's own size, or the size of its name).
QImage RenderPicture(const Picture& picture, QSize size = QSize());

// Whether SVG pictures are drawn from their SVG text (else by name).
bool CanRenderSvg();

}  // namespace linkwatch
