#pragma once
#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <chrono>
#include <utility>
#include <vector>

namespace linkwatch::desktop_program {

// What the test does as the user, through the X server: xdotool for keys and
// clicks, xclip for the clipboard, and this process as an X client for the screen.
class XUser {
 public:
  explicit XUser(QString display) : display_(std::move(display)) {}

  // Runs xdotool with the arguments (bounded by a deadline); its output, trimmed.
  // Empty when it failed; LastError() then says why.
  QString Xdotool(const QStringList& arguments,
                  std::chrono::milliseconds deadline = std::chrono::seconds(10));
  const QString& LastError() const { return lastError_; }

  void Click(QPoint at);
  void Keys(const QString& keys);
  QString ClipboardText() const;
  QImage Screen() const;

 private:
  QString display_;
  QString lastError_;
};

// The grid's header as the screen shows it: the view's style gives the header
// sections a colour of their own. Found on the row of pixels that colour covers
// most (in runs of at least minimumWidth), the sections' left and right edges,
// and the header's last row. No sections when the colour is not there.
struct HeaderOnScreen {
  int Bottom = -1;
  std::vector<std::pair<int, int>> Sections;  // left and right edge of each, left to right
};
HeaderOnScreen FindHeader(const QImage& image, QRgb colour, int minimumWidth);

}  // namespace linkwatch::desktop_program
