#include "platform/qt/SerialDateParts.h"

#include <cmath>
#include <cstdint>

namespace linkwatch {

namespace {

constexpr double kFirstSerial = -657434.0;  // 1 January 100
constexpr double kLastSerial = 2958466.0;   // 1 January 10000
constexpr std::int64_t kMsPerDay = 86400000;

}  // namespace

std::optional<SerialDateParts> SerialDateParts::From(SerialDate when) {
  if (!std::isfinite(when) || when < kFirstSerial || when >= kLastSerial) return std::nullopt;
  std::int64_t days = static_cast<std::int64_t>(std::trunc(when));
  std::int64_t ms = std::llround(std::fabs(when - static_cast<double>(days)) * kMsPerDay);
  if (ms >= kMsPerDay) {
    // Rounded up to midnight: the next calendar day.
    ms -= kMsPerDay;
    days += 1;
  }
  SerialDateParts parts;
  parts.Date = QDate(1899, 12, 30).addDays(days);
  parts.Time = QTime(0, 0).addMSecs(static_cast<int>(ms));
  return parts;
}

}  // namespace linkwatch
