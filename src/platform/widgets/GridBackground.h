#pragma once
#include <QImage>
#include <QRect>

class QPainter;

namespace linkwatch {

// How the grid's background picture is placed in its visible area (the grid
// setting the control writes beside the picture): 0 to 8 place it unscaled at
// left/centre/right and top/middle/bottom (0 left top, 1 left middle, 2 left
// bottom, 3 centre top, 4 centred, 5 centre bottom, 6 right top, 7 right middle,
// 8 right bottom), 9 stretches it over the area, 10 tiles it. Other codes centre
// it.
enum class BackgroundPlacement : int {
  kLeftTop = 0,
  kCentred = 4,
  kRightBottom = 8,
  kStretch = 9,
  kTile = 10,
};

void PaintBackground(QPainter& painter, const QRect& area, const QImage& image, int placement);

}  // namespace linkwatch
