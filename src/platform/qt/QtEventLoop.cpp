#include "platform/qt/QtEventLoop.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>
#include <cstdlib>

namespace linkwatch {

namespace {

constexpr int kConditionCheckMs = 5;

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

std::unique_ptr<QCoreApplication> QtEventLoop::EnsureCoreApplication() {
  if (QCoreApplication::instance() != nullptr) return nullptr;
  // QCoreApplication keeps references to argc and argv for its whole life.
  static int argc = 1;
  static char name[] = "linkwatch";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QCoreApplication>(argc, argv);
}

bool QtEventLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  if (done()) return true;
  const QDeadlineTimer deadline(timeout);
  QEventLoop loop;
  QTimer check;
  check.setInterval(kConditionCheckMs);
  QObject::connect(&check, &QTimer::timeout, &loop, [&] {
    if (done() || deadline.hasExpired()) loop.quit();
  });
  check.start();
  loop.exec();
  return done();
}

void QtEventLoop::RunFor(std::chrono::milliseconds duration) {
  QEventLoop loop;
  QTimer::singleShot(duration, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace linkwatch
