#include "fakes/ManualTimer.h"

namespace linkwatch::fakes {

bool ManualTimer::Tick() {
  if (!enabled_ || !handler_) return false;
  // Copy: the handler may replace itself while it runs.
  auto handler = handler_;
  handler();
  return true;
}

int ManualTimer::TickTimes(int count) {
  int ran = 0;
  while (ran < count && Tick()) ++ran;
  return ran;
}

}  // namespace linkwatch::fakes
