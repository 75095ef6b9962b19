#include "platform/system/SystemClock.h"

#include <chrono>
#include <ctime>

namespace linkwatch {

namespace {

// The local wall-clock seconds since the epoch at the start of a UTC second:
// timegm on the local broken-down time. The offset from UTC changes only at a
// whole second, so one conversion serves every reading within that second (the
// control reads the clock for every counter value it receives).
double LocalSecondsAt(std::time_t seconds) {
  thread_local std::time_t cachedSecond = -1;
  thread_local double cachedLocal = 0.0;
  if (seconds != cachedSecond) {
    std::tm local{};
    localtime_r(&seconds, &local);
    cachedLocal = static_cast<double>(timegm(&local));
    cachedSecond = seconds;
  }
  return cachedLocal;
}

}  // namespace

SerialDate SystemClock::Now() const {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const double fraction =
      duration<double>(now - system_clock::from_time_t(seconds)).count();
  // Days from 30 December 1899 to 1 January 1970 are 25569.
  return 25569.0 + (LocalSecondsAt(seconds) + fraction) / 86400.0;
}

}  // namespace linkwatch
