#pragma once
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <chrono>
#include <memory>
#include <utility>
#include <vector>

namespace linkwatch::desktop_program {

// A real X server for one test: Xvfb on a display number it picks itself (a free
// one), stopped (and killed if need be) when this object goes.
class XServer {
 public:
  XServer() = default;
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  // Empty on success, otherwise why the server did not start.
  QString Start();
  const QString& Display() const { return display_; }  // ":N"

 private:
  QProcess process_;
  QString display_;
};

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
// and the rows the first section spans. No sections when the colour is not there.
struct HeaderOnScreen {
  int Top = 0;
  int Bottom = -1;
  std::vector<std::pair<int, int>> Sections;  // left and right edge of each, left to right
};
HeaderOnScreen FindHeader(const QImage& image, QRgb colour, int minimumWidth);

}  // namespace linkwatch::desktop_program
