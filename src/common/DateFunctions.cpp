#include "common/DateFunctions.h"

#include <cmath>
#include <cstdio>

namespace linkwatch {
namespace {

// Days from 1970-01-01 to the civil date (proleptic Gregorian calendar).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = (year >= 0 ? year : year - 399) / 400;
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, int32_t& year, int32_t& month, int32_t& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  day = static_cast<int32_t>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
  month = static_cast<int32_t>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
  year = static_cast<int32_t>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

// 1899-12-30 counted from 1970-01-01.
const int64_t kEpochDays = DaysFromCivil(1899, 12, 30);

// Tolerance below a whole second that still counts as that second.
constexpr double kSecondTolerance = 1e-5;

}  // namespace

SerialDate ToSerialDate(const CalendarTime& when) {
  const int64_t days = DaysFromCivil(when.Year, when.Month, when.Day) - kEpochDays;
  const double seconds = when.Hour * 3600.0 + when.Minute * 60.0 + when.Second;
  return static_cast<double>(days) + seconds / kSecondsPerDay;
}

int64_t WholeSeconds(SerialDate when) {
  // Far beyond any calendar year 9999; keeps the conversion defined for any input.
  constexpr double kLimit = 1e15;
  const double seconds = std::floor(when * kSecondsPerDay + kSecondTolerance);
  if (!(seconds > -kLimit)) {
    return seconds > 0 ? static_cast<int64_t>(kLimit) : -static_cast<int64_t>(kLimit);
  }
  return static_cast<int64_t>(seconds < kLimit ? seconds : kLimit);
}

SerialDate TruncateToSecond(SerialDate when) {
  return static_cast<double>(WholeSeconds(when)) / kSecondsPerDay;
}

CalendarTime ToCalendar(SerialDate when) {
  const int64_t seconds = WholeSeconds(when);
  int64_t days = seconds / 86400;
  int64_t secondOfDay = seconds % 86400;
  if (secondOfDay < 0) {
    secondOfDay += 86400;
    days -= 1;
  }
  CalendarTime result;
  CivilFromDays(days + kEpochDays, result.Year, result.Month, result.Day);
  result.Hour = static_cast<int32_t>(secondOfDay / 3600);
  result.Minute = static_cast<int32_t>(secondOfDay / 60 % 60);
  result.Second = static_cast<int32_t>(secondOfDay % 60);
  return result;
}

SerialDate AddSeconds(SerialDate when, double seconds) { return when + seconds / kSecondsPerDay; }

std::string IsoDateTime(SerialDate when) {
  const CalendarTime c = ToCalendar(when);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", c.Year, c.Month, c.Day, c.Hour,
                c.Minute, c.Second);
  return text;
}

}  // namespace linkwatch
