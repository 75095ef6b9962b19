#include "DesktopSession.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>

namespace linkwatch::desktop_program {
namespace {

// A tool run on the X server's display.
void OnDisplay(QProcess& tool, const QString& display) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DISPLAY"), display);
  tool.setProcessEnvironment(environment);
}

}  // namespace

QString XUser::Xdotool(const QStringList& arguments, std::chrono::milliseconds deadline) {
  QProcess tool;
  OnDisplay(tool, display_);
  tool.start(QStringLiteral("xdotool"), arguments);
  if (!tool.waitForFinished(static_cast<int>(deadline.count()))) {
    tool.kill();
    tool.waitForFinished(5000);
    lastError_ = QStringLiteral("xdotool %1 did not finish").arg(arguments.join(u' '));
    return {};
  }
  if (tool.exitCode() != 0) {
    lastError_ = QStringLiteral("xdotool %1 failed: %2")
                     .arg(arguments.join(u' '), QString::fromLocal8Bit(tool.readAllStandardError()));
    return {};
  }
  lastError_.clear();
  const QString output = QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
  return output.isEmpty() ? QStringLiteral(" ") : output;  // " ": ran, said nothing
}

void XUser::Click(QPoint at) {
  Xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
           QStringLiteral("click"), QStringLiteral("1")});
}

void XUser::Keys(const QString& keys) {
  Xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), keys});
}

QString XUser::ClipboardText() const {
  // xclip asks the clipboard's owner afresh every time (Qt's own clipboard in this
  // process may keep answering from a moment when the owner was changing it).
  QProcess tool;
  OnDisplay(tool, display_);
  tool.start(QStringLiteral("xclip"),
             {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-o")});
  if (!tool.waitForFinished(5000)) {
    tool.kill();
    tool.waitForFinished(5000);
    return {};
  }
  return QString::fromUtf8(tool.readAllStandardOutput());
}

QImage XUser::Screen() const {
  return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
      QImage::Format_RGB32);
}

HeaderOnScreen FindHeader(const QImage& image, QRgb colour, int minimumWidth) {
  auto isHeader = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF); };
  HeaderOnScreen found;
  int bestCoverage = 0;
  int bestRow = -1;
  for (int y = 0; y < image.height(); ++y) {
    std::vector<std::pair<int, int>> runs;
    int coverage = 0;
    for (int x = 0; x < image.width();) {
      if (!isHeader(x, y)) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < image.width() && isHeader(x, y)) ++x;
      if (x - start >= minimumWidth) {
        runs.emplace_back(start, x - 1);
        coverage += x - start;
      }
    }
    if (coverage > bestCoverage) {
      bestCoverage = coverage;
      bestRow = y;
      found.Sections = std::move(runs);
    }
  }
  if (bestRow < 0) return found;
  // The header's last row, along the first section's left edge (where no text is).
  const int edge = found.Sections.front().first + 1;
  found.Bottom = bestRow;
  while (found.Bottom + 1 < image.height() && isHeader(edge, found.Bottom + 1)) ++found.Bottom;
  return found;
}

}  // namespace linkwatch::desktop_program
