// QtEventLoop::EnsureApplication, apart from the rest of the event loop helpers:
// a QApplication needs Qt Widgets, which programs that never draw (they take
// EnsureCoreApplication) then do not link.
#include <QApplication>
#include <cstdlib>

#include "platform/qt/QtEventLoop.h"

namespace linkwatch {

namespace {

bool HasDisplay() {
  return std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
}

}  // namespace

std::unique_ptr<QApplication> QtEventLoop::EnsureApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  if (!HasDisplay() && std::getenv("QT_QPA_PLATFORM") == nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
  // QApplication keeps references to argc and argv for its whole life.
  static int argc = 1;
  static char name[] = "linkwatch";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace linkwatch
