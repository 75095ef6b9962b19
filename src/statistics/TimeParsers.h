#pragma once
#include "statistics/ParserContext.h"

namespace linkwatch {

// Parsers of durations and moments. Moments are shown as the user's short date
// and time of day, and CurrentValue becomes the moment as a serial date so the
// column sorts chronologically.

// "MILLISECONDS": a duration in milliseconds.
void ParseMilliseconds(ParserContext& context);
// "TIMESTAMP": hundredths of a second since the device booted (TimeTicks such
// as ifLastChange), counted from the device's boot time.
void ParseTimestamp(ParserContext& context);
// "NEGATIVETIMESTAMP": milliseconds before now.
void ParseNegativeTimestamp(ParserContext& context);
// "NEGATIVETIMESECONDS": seconds before now.
void ParseNegativeTimeSeconds(ParserContext& context);
// "TIMESPAN": a duration in seconds.
void ParseTimeSpan(ParserContext& context);

}  // namespace linkwatch
