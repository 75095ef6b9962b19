#include "statistics/RateParsers.h"

#include "common/Formatting.h"
#include "common/TextFunctions.h"
#include "model/Interface.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"

namespace linkwatch {
namespace {

// A rate scaled into K, M, G…; no text while the statistic has no value yet.
void ShowScaled(ParserContext& context, double factor, bool base1024) {
  Statistic& statistic = context.statistic;
  if (statistic.CurrentValue() == Statistic::kNoValue) {
    statistic.SetParsedValue({});
    return;
  }
  statistic.SetParsedValue(FormatScaled(statistic.CurrentValue() * factor,
                                        context.statisticTemplate.Units(), base1024,
                                        context.regional));
}

}  // namespace

void ParseTraffic(ParserContext& context) { ShowScaled(context, 8.0, false); }

void ParseBps(ParserContext& context) { ShowScaled(context, 1.0, false); }

void ParseBytes(ParserContext& context) { ShowScaled(context, 1.0, true); }

void ParseUtilization(ParserContext& context) {
  Statistic& statistic = context.statistic;
  statistic.SetParsedValue({});
  const double bandwidth = context.row ? context.row->Bandwidth() : 0.0;
  if (statistic.CurrentValue() == Statistic::kNoValue || bandwidth <= 0) return;
  const double percent = statistic.CurrentValue() / bandwidth * 100.0;
  statistic.SetCurrentValue(percent);
  statistic.SetParsedValue(FormatNumber(percent, "0.00", context.regional) + " %");
}

void ParseTenths(ParserContext& context) {
  context.statistic.SetParsedValue(FormatNumber(NumericValue(context.value) / 10.0, "0.0 ",
                                                context.regional) +
                                   context.statisticTemplate.Units());
}

}  // namespace linkwatch
