#include "platform/qt/QtPicture.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "platform/qt/PictureRenderer.h"

namespace linkwatch {
namespace {

// A picture that is not one of Qt's, as the device catalogue may hand out.
class OtherPicture : public Picture {
 public:
  OtherPicture(std::string name, int width, int height, std::string svg)
      : name_(std::move(name)), width_(width), height_(height), svg_(std::move(svg)) {}
  std::string Name() const override { return name_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::string Svg() const override { return svg_; }

 private:
  std::string name_;
  int width_;
  int height_;
  std::string svg_;
};

const char kRedSquareSvg[] =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16" viewBox="0 0 16 16">)"
    R"(<rect x="0" y="0" width="16" height="16" fill="#ff0000"/></svg>)";

bool HasInk(const QImage& image) {
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixelColor(x, y).alpha() > 0) return true;
    }
  }
  return false;
}

class QtPictureTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }

  // A 40 x 20 picture, blue left half and yellow right half, written as PNG.
  std::string WriteBackgroundPng() const {
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::blue);
    for (int y = 0; y < 20; ++y) {
      for (int x = 20; x < 40; ++x) image.setPixelColor(x, y, Qt::yellow);
    }
    const std::string path = Path("site.background.png");
    EXPECT_TRUE(image.save(QString::fromStdString(path), "PNG"));
    return path;
  }

  QTemporaryDir dir_;
};

TEST_F(QtPictureTest, FilesThatAreNoPictureGiveAClearError) {
  QFile text(dir_.filePath("notes.png"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("this is not a picture");
  text.close();
  for (const std::string& path : {Path("missing.png"), Path("notes.png"), Path("")}) {
    std::string error;
    EXPECT_EQ(QtPicture::FromFile(path, error), nullptr) << path;
    EXPECT_EQ(error.rfind("Cannot read the picture '" + path + "': ", 0), 0u) << error;
  }
}

TEST_F(QtPictureTest, ReadsAPngFileAndRendersItFittedInside) {
  std::string error = "stale";
  const auto picture = QtPicture::FromFile(WriteBackgroundPng(), error);
  ASSERT_NE(picture, nullptr) << error;
  EXPECT_EQ(error, "");
  EXPECT_EQ(picture->Name(), "site.background");
  EXPECT_EQ(picture->Width(), 40);
  EXPECT_EQ(picture->Height(), 20);
  EXPECT_EQ(picture->Image().pixelColor(5, 5), QColor(Qt::blue));
  EXPECT_EQ(picture->Image().pixelColor(35, 5), QColor(Qt::yellow));

  // Half the size, in a square: 20 x 10 centred, transparent above and below.
  const QImage fitted = RenderPicture(*picture, QSize(20, 20));
  EXPECT_EQ(fitted.size(), QSize(20, 20));
  EXPECT_EQ(fitted.pixelColor(2, 10).rgb(), QColor(Qt::blue).rgb());
  EXPECT_EQ(fitted.pixelColor(17, 10).rgb(), QColor(Qt::yellow).rgb());
  EXPECT_EQ(fitted.pixelColor(10, 1).alpha(), 0);
}

TEST(QtPictureRender, RendersSvgPicturesOrTheirName) {
  const OtherPicture svg("router", 32, 32, kRedSquareSvg);
  const QImage image = RenderPicture(svg);
  ASSERT_EQ(image.size(), QSize(32, 32));
  if (CanRenderSvg()) {
    EXPECT_EQ(image.pixelColor(16, 16).rgb(), QColor(Qt::red).rgb());
    EXPECT_EQ(image.pixelColor(1, 1).rgb(), QColor(Qt::red).rgb());
  } else {
    EXPECT_TRUE(HasInk(image));
  }
  // Pictures without an image or a valid SVG show their name.
  const OtherPicture broken("broken", 60, 20, "<svg");
  const OtherPicture sizeless("gateway", 0, 0, "");
  EXPECT_EQ(RenderPicture(broken).size(), QSize(60, 20));
  EXPECT_TRUE(HasInk(RenderPicture(broken)));
  const QImage named = RenderPicture(sizeless);
  EXPECT_GT(named.width(), 0);
  EXPECT_GT(named.height(), 0);
  EXPECT_TRUE(HasInk(named));
}

}  // namespace
}  // namespace linkwatch
