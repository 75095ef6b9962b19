#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "components/Clock.h"
#include "components/RegionalSettings.h"

namespace linkwatch {

// Number patterns as the table shows numbers: "##0", "##0.0", "##0.00", "0.00",
// "0.0 ". At least one integer digit, no digit grouping, exactly as many
// decimals as the pattern has places after its ".", rounded half away from zero,
// the user's decimal separator, a minus sign before negative numbers; text after
// the last digit place (the blank of "0.0 ") is copied as it is.
std::string FormatNumber(double value, std::string_view pattern, const RegionalSettings& regional);

// A number scaled into K, M, G, T or Peta by fixed decimal bands of its magnitude
// and divided by powers of 1000 or 1024, then the band's suffix and the units:
// 9601 with units "bps" gives "9.6 Kbps".
std::string FormatScaled(double value, const std::string& units, bool base1024,
                         const RegionalSettings& regional);

// A duration as "1 days, 1 hours, 1 minutes, 1 seconds"; parts that are zero are
// left out and an exact 86400, 3600 or 60 seconds stays in the next smaller unit.
// Zero or a negative total gives an empty text. Throws std::overflow_error when
// hours × 3600 or minutes × 60 does not fit a 32-bit integer.
std::string FormatTimeSpan(int32_t days, int32_t hours, int32_t minutes, int32_t seconds);

// The time of day on the 12-hour clock when the user's AM/PM designators end in
// "M", otherwise on the 24-hour clock.
std::string FormatTimeOfDay(SerialDate when, const RegionalSettings& regional);

// A moment as the table shows it: the user's short date, a blank, the time of day.
std::string FormatDateTime(SerialDate when, const RegionalSettings& regional);

}  // namespace linkwatch
