#pragma once
#include <csignal>

namespace linkwatch::cli {

// While it exists, SIGINT and SIGTERM only set a flag that the run loop reads, so
// an interrupted monitor stops its control and leaves the event loop cleanly.
// SIGPIPE is ignored: a closed output shows as a failed write instead.
class InterruptSignals {
 public:
  InterruptSignals();
  ~InterruptSignals();
  InterruptSignals(const InterruptSignals&) = delete;
  InterruptSignals& operator=(const InterruptSignals&) = delete;

  static bool Received();

 private:
  struct sigaction previousInt_{};
  struct sigaction previousTerm_{};
  struct sigaction previousPipe_{};
};

}  // namespace linkwatch::cli
