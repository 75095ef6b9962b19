#include "platform/widgets/GridBackground.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>

namespace linkwatch {

void PaintBackground(QPainter& painter, const QRect& area, const QImage& image, int placement) {
  if (image.isNull() || area.isEmpty()) return;
  if (placement == static_cast<int>(BackgroundPlacement::kStretch)) {
    painter.drawImage(area, image);
    return;
  }
  if (placement == static_cast<int>(BackgroundPlacement::kTile)) {
    painter.drawTiledPixmap(area, QPixmap::fromImage(image));
    return;
  }
  if (placement < static_cast<int>(BackgroundPlacement::kLeftTop) ||
      placement > static_cast<int>(BackgroundPlacement::kRightBottom)) {
    placement = static_cast<int>(BackgroundPlacement::kCentred);
  }
  static constexpr Qt::Alignment kHorizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  static constexpr Qt::Alignment kVertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
  const Qt::Alignment alignment = kHorizontal[placement / 3] | kVertical[placement % 3];
  painter.drawImage(QStyle::alignedRect(Qt::LeftToRight, alignment, image.size(), area), image);
}

}  // namespace linkwatch
