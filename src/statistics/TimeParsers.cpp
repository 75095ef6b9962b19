#include "statistics/TimeParsers.h"

#include "common/DateFunctions.h"
#include "common/Formatting.h"
#include "common/TextFunctions.h"
#include "statistics/ParserSupport.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"

namespace linkwatch {
namespace {

void ShowMoment(ParserContext& context, SerialDate when) {
  std::string text = FormatDateTime(when, context.regional);
  context.statistic.SetParsedValue(std::move(text));
  context.statistic.SetCurrentValue(when);
}

}  // namespace

void ParseMilliseconds(ParserContext& context) {
  Statistic& statistic = context.statistic;
  const double milliseconds = statistic.CurrentValue();
  if (milliseconds < 0) {
    statistic.SetParsedValue({});
    return;
  }
  const std::string& units = context.statisticTemplate.Units();
  const int32_t seconds = RoundToInt32(milliseconds / 1000.0);
  if (seconds < 1) {
    statistic.SetParsedValue(PlainDecimal(milliseconds) + " milliseconds " + units);
  } else {
    statistic.SetParsedValue(FormatTimeSpan(0, 0, 0, seconds) + " " + units);
  }
}

void ParseTimestamp(ParserContext& context) {
  const double ticks = context.statistic.CurrentValue();
  if (ticks <= 0) return;
  ShowMoment(context, AddSeconds(context.sharedLastBoot, RoundToInt32(ticks / 100.0)));
}

void ParseNegativeTimestamp(ParserContext& context) {
  const double milliseconds = context.statistic.CurrentValue();
  if (milliseconds <= 0) {
    context.statistic.SetParsedValue({});
    return;
  }
  const int32_t seconds = RoundToInt32(milliseconds / 1000.0);
  ShowMoment(context, AddSeconds(context.clock.Now(), -seconds));
}

void ParseNegativeTimeSeconds(ParserContext& context) {
  const double seconds = context.statistic.CurrentValue();
  if (seconds <= 0) {
    context.statistic.SetParsedValue({});
    return;
  }
  ShowMoment(context, AddSeconds(context.clock.Now(), -RoundToInt32(seconds)));
}

void ParseTimeSpan(ParserContext& context) {
  const int32_t seconds = RoundToInt32(context.statistic.CurrentValue());
  context.statistic.SetParsedValue(FormatTimeSpan(0, 0, 0, seconds));
}

}  // namespace linkwatch
