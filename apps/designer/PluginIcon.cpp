#include "PluginIcon.h"

#include <QPainter>
#include <QPixmap>

namespace linkwatch {

QIcon InterfaceListIcon() {
  QPixmap pixmap(32, 32);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF frame(1.5, 3.5, 29, 25);
  painter.setPen(QPen(QColor(0x5b, 0x6b, 0x7f), 1));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(frame, 2, 2);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x9f, 0xb3, 0xc8));
  painter.drawRect(QRectF(2, 4, 28, 6));  // the header row
  const QColor marks[] = {QColor(0x2e, 0xa0, 0x43), QColor(0x2e, 0xa0, 0x43),
                          QColor(0xd0, 0x3b, 0x3b)};
  for (int row = 0; row < 3; ++row) {
    const qreal y = 13.5 + row * 5;
    painter.setBrush(marks[row]);
    painter.drawEllipse(QPointF(6, y), 2, 2);
    painter.setBrush(QColor(0xb8, 0xc2, 0xcc));
    painter.drawRect(QRectF(10, y - 1, 17 - row * 3, 2));
  }
  return QIcon(pixmap);
}

}  // namespace linkwatch
