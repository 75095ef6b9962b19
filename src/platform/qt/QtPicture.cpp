#include "platform/qt/QtPicture.h"

#include <QFileInfo>
#include <QImageReader>
#include <QString>

namespace linkwatch {

QtPicture::QtPicture(QImage image, std::string name)
    : image_(std::move(image)), name_(std::move(name)) {}

std::shared_ptr<QtPicture> QtPicture::FromFile(const std::string& path, std::string& error) {
  const QString file = QString::fromStdString(path);
  QImageReader reader(file);
  QImage image = reader.read();
  if (image.isNull()) {
    error = "Cannot read the picture '" + path + "': " + reader.errorString().toStdString();
    return nullptr;
  }
  error.clear();
  return std::make_shared<QtPicture>(std::move(image),
                                     QFileInfo(file).completeBaseName().toStdString());
}

std::string QtPicture::Name() const { return name_; }

int QtPicture::Width() const { return image_.width(); }

int QtPicture::Height() const { return image_.height(); }

std::string QtPicture::Svg() const { return std::string(); }

}  // namespace linkwatch
