#include "InterruptSignals.h"

#include <unistd.h>

#include <atomic>

namespace linkwatch::apps {
namespace {

std::atomic<bool> interrupted{false};
std::atomic<bool> exitAtOnce{false};

void OnInterrupt(int) {
  if (exitAtOnce.load()) _exit(0);  // async-signal-safe
  interrupted.store(true);
}

}  // namespace

InterruptSignals::InterruptSignals() {
  interrupted.store(false);
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInt_);
  sigaction(SIGTERM, &action, &previousTerm_);
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGPIPE, &ignore, &previousPipe_);
}

InterruptSignals::~InterruptSignals() {
  sigaction(SIGINT, &previousInt_, nullptr);
  sigaction(SIGTERM, &previousTerm_, nullptr);
  sigaction(SIGPIPE, &previousPipe_, nullptr);
}

bool InterruptSignals::Received() { return interrupted.load(); }

InterruptSignals::ExitAtOnce::ExitAtOnce() {
  exitAtOnce.store(true);
  // A signal that came just before still ends the program now.
  if (interrupted.load()) _exit(0);
}

InterruptSignals::ExitAtOnce::~ExitAtOnce() { exitAtOnce.store(false); }

}  // namespace linkwatch::apps
