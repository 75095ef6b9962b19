#pragma once
#include <cstdint>
#include <string>

#include "components/Clock.h"

namespace linkwatch {

// Serial dates: days since 30 December 1899 00:00, the time of day as the
// fraction (serial 1.5 is 31 December 1899 12:00). The count is linear, also
// before the epoch.

struct CalendarTime {
  int32_t Year = 1899;
  int32_t Month = 12;  // 1..12
  int32_t Day = 30;    // 1..31
  int32_t Hour = 0;
  int32_t Minute = 0;
  int32_t Second = 0;

  bool operator==(const CalendarTime&) const = default;
};

inline constexpr double kSecondsPerDay = 86400.0;

// Calendar date and time (whole seconds) to a serial date.
SerialDate ToSerialDate(const CalendarTime& when);

// Serial date to calendar date and time, cut to the whole second.
CalendarTime ToCalendar(SerialDate when);

// The whole seconds since the epoch that a serial date falls into. A time a few
// microseconds below a whole second counts as that second: a serial date cannot
// hold more precision, and sums of seconds would otherwise lose one.
int64_t WholeSeconds(SerialDate when);

// The serial date cut to the whole second.
SerialDate TruncateToSecond(SerialDate when);

// when plus the given (possibly negative) number of seconds.
SerialDate AddSeconds(SerialDate when, double seconds);

// ISO 8601 local date-time without a zone, e.g. "2024-03-01T13:05:09".
std::string IsoDateTime(SerialDate when);

}  // namespace linkwatch
