#include "support/EventLoop.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace linkwatch::support {

namespace {
constexpr int kWakeUpMs = 20;
}  // namespace

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
  // Wakes the loop often, so the wait ends at the deadline even when nothing else
  // happens. (One timer at the deadline is not enough: a coarse timer may fire a
  // little early, and the loop would then wait for an event that never comes.)
  QTimer wakeUp;
  wakeUp.setTimerType(Qt::PreciseTimer);
  wakeUp.start(kWakeUpMs);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return condition();
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
  }
  return true;
}

}  // namespace linkwatch::support
