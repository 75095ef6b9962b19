#pragma once
#include <csignal>

namespace linkwatch::apps {

// While it exists, SIGINT and SIGTERM only set a flag that the run loop reads, so
// an interrupted program (the command-line monitor, the exporter) stops its
// controls and leaves the event loop cleanly.
// SIGPIPE is ignored: a closed output shows as a failed write instead.
class InterruptSignals {
 public:
  InterruptSignals();
  ~InterruptSignals();
  InterruptSignals(const InterruptSignals&) = delete;
  InterruptSignals& operator=(const InterruptSignals&) = delete;

  static bool Received();

  // While one exists, SIGINT and SIGTERM end the process at once with exit code 0
  // (for blocking work with nothing to flush or release, such as the start).
  class ExitAtOnce {
   public:
    ExitAtOnce();
    ~ExitAtOnce();
    ExitAtOnce(const ExitAtOnce&) = delete;
    ExitAtOnce& operator=(const ExitAtOnce&) = delete;
  };

 private:
  struct sigaction previousInt_{};
  struct sigaction previousTerm_{};
  struct sigaction previousPipe_{};
};

}  // namespace linkwatch::apps
