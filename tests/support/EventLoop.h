#pragma once
#include <chrono>
#include <functional>

class QCoreApplication;

namespace linkwatch::support {

// Qt for adapter tests. Qt objects (timers, socket notifiers, the engine's
// asynchronous replies) need a QCoreApplication and a running event loop.
// EnsureQtApplication() makes the application once per test program unless one
// exists already (a test that needs widgets creates its QApplication first).
// RunEventLoopUntil() runs the loop instead of sleeping: it returns as soon as the
// condition holds, or false when the deadline passes first.
//
//   engine.Send(message, byEvent);
//   ASSERT_TRUE(linkwatch::support::RunEventLoopUntil([&] { return replies == 1; }));
QCoreApplication& EnsureQtApplication();

bool RunEventLoopUntil(const std::function<bool()>& condition,
                       std::chrono::milliseconds deadline = std::chrono::seconds(10));

}  // namespace linkwatch::support
