#include "support/EventLoop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace linkwatch::support {

QCoreApplication& EnsureQtApplication() {
  if (QCoreApplication* existing = QCoreApplication::instance()) return *existing;
  // Qt keeps references to argc and argv for the application's lifetime.
  static int argc = 1;
  static char name[] = "linkwatch-tests";
  static char* argv[] = {name, nullptr};
  // Lives until the process ends: destroying it among other static objects at exit
  // could run after Qt's own globals are gone.
  static QCoreApplication* const application = new QCoreApplication(argc, argv);
  return *application;
}

bool RunEventLoopUntil(const std::function<bool()>& condition,
                       std::chrono::milliseconds deadline) {
  EnsureQtApplication();
  const auto end = std::chrono::steady_clock::now() + deadline;
  // Wakes the loop at the deadline even when nothing else happens.
  QTimer wakeUp;
  wakeUp.setSingleShot(true);
  wakeUp.start(static_cast<int>(deadline.count()));
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return condition();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace linkwatch::support
