#pragma once
#include <chrono>
#include <functional>
#include <memory>

class QApplication;
class QCoreApplication;

namespace linkwatch {

// Helpers for hosts and tests that drive the Qt services without a main window.
class QtEventLoop {
 public:
  // Creates the QApplication the Qt services need when the process has none yet,
  // and returns it for the caller to own (none when an application exists
  // already). Without a display (no DISPLAY or WAYLAND_DISPLAY) and without a
  // chosen Qt platform it picks the "offscreen" platform, so command-line hosts
  // and tests run anywhere.
  static std::unique_ptr<QApplication> EnsureApplication();

  // The same for a host that never draws (a command-line program): a
  // QCoreApplication, with no window system, fonts or widget style loaded. The
  // platform's headless services (HostPlatform with Interactive false: counted
  // characters, messages on stderr, no clipboard) need nothing more.
  static std::unique_ptr<QCoreApplication> EnsureCoreApplication();

  // Runs the thread's event loop until done() holds or the timeout passes, and
  // returns done(). The condition is checked every few milliseconds while the
  // loop delivers events, so the wait ends soon after it holds.
  static bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

  // Runs the event loop for the given time (for a host that has nothing else to
  // wait for, e.g. a command-line monitor between screen updates).
  static void RunFor(std::chrono::milliseconds duration);
};

}  // namespace linkwatch
