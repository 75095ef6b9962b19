#include "platform/qt/PictureRenderer.h"

#include <QByteArray>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QString>
#include <string>

#include "platform/qt/QtPicture.h"

#ifdef LINKWATCH_HAVE_QT_SVG
#include <QSvgRenderer>
#endif

namespace linkwatch {

namespace {

bool HasGuiApplication() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

QSize OwnSize(const Picture& picture) { return QSize(picture.Width(), picture.Height()); }

QImage Transparent(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// Places an image of the given size inside target, centred and scaled to fit.
QRectF FitInside(QSizeF source, QSize target) {
  const QSizeF scaled = source.scaled(QSizeF(target), Qt::KeepAspectRatio);
  return QRectF(QPointF((target.width() - scaled.width()) / 2.0,
                        (target.height() - scaled.height()) / 2.0),
                scaled);
}

QImage FromImage(const QImage& image, QSize size) {
  if (!size.isValid() || size.isEmpty() || size == image.size()) return image;
  QImage result = Transparent(size);
  QPainter painter(&result);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(FitInside(QSizeF(image.size()), size), image);
  return result;
}

QImage ByName(const Picture& picture, QSize size) {
  const QString name = QString::fromStdString(picture.Name());
  if (!HasGuiApplication()) {
    // No fonts without a GUI application: an empty image of the right size.
    return Transparent(size.isEmpty() ? QSize(16, 16) : size);
  }
  const QFontMetrics metrics(QGuiApplication::font());
  if (size.isEmpty()) size = OwnSize(picture);
  if (size.isEmpty()) size = metrics.size(0, name).expandedTo(QSize(1, 1));
  QImage image = Transparent(size);
  QPainter painter(&image);
  painter.setFont(QGuiApplication::font());
  painter.setPen(Qt::black);
  painter.drawText(image.rect(), Qt::AlignCenter,
                   metrics.elidedText(name, Qt::ElideRight, size.width()));
  return image;
}

#ifdef LINKWATCH_HAVE_QT_SVG
QImage FromSvg(const Picture& picture, const std::string& svg, QSize size) {
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  if (!renderer.isValid()) return ByName(picture, size);
  if (size.isEmpty()) size = OwnSize(picture);
  if (size.isEmpty()) size = renderer.defaultSize();
  if (size.isEmpty()) return ByName(picture, size);
  QImage image = Transparent(size);
  QPainter painter(&image);
  const QSizeF source = renderer.defaultSize().isEmpty() ? QSizeF(size)
                                                         : QSizeF(renderer.defaultSize());
  renderer.render(&painter, FitInside(source, size));
  return image;
}
#endif

}  // namespace

QImage RenderPicture(const Picture& picture, QSize size) {
  if (!size.isValid()) size = QSize();
  if (const auto* raster = dynamic_cast<const QtPicture*>(&picture)) {
    return FromImage(raster->Image(), size);
  }
  const std::string svg = picture.Svg();
#ifdef LINKWATCH_HAVE_QT_SVG
  if (!svg.empty()) return FromSvg(picture, svg, size);
#endif
  return ByName(picture, size);
}

bool CanRenderSvg() {
#ifdef LINKWATCH_HAVE_QT_SVG
  return true;
#else
  return false;
#endif
}

}  // namespace linkwatch
