#include "platform/system/SystemClock.h"

#include <chrono>
#include <ctime>

namespace linkwatch {

SerialDate SystemClock::Now() const {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const double fraction =
      duration<double>(now - system_clock::from_time_t(seconds)).count();
  // Days from 30 December 1899 to 1 January 1970 are 25569; timegm on the local
  // broken-down time gives the local wall-clock seconds since the epoch.
  const double localSeconds = static_cast<double>(timegm(&local)) + fraction;
  return 25569.0 + localSeconds / 86400.0;
}

}  // namespace linkwatch
