#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

namespace linkwatch {

namespace {

constexpr int kConditionCheckMs = 5;

}  // namespace

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
