#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "platform/system/SystemClock.h"

namespace linkwatch {
namespace {

TEST(SystemClock, AgreesWithTheLocalCalendar) {
  SystemClock clock;
  const SerialDate now = clock.Now();
  std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  // Whole days since 30 December 1899 of today's local date.
  std::tm midnight = local;
  midnight.tm_hour = midnight.tm_min = midnight.tm_sec = 0;
  const double today = 25569.0 + static_cast<double>(timegm(&midnight)) / 86400.0;
  EXPECT_GE(now, today);
  EXPECT_LT(now, today + 1.0 + 1.0 / 86400.0);  // a day boundary may pass in between
  EXPECT_GT(now, 37622.0);                      // later than 1 January 2003
}

}  // namespace
}  // namespace linkwatch
