#include "statistics/FlagParsers.h"

#include "statistics/Statistic.h"

namespace linkwatch {
namespace {

constexpr int16_t kChecked = -1;
constexpr int16_t kUnchecked = 0;

void Show(Statistic& statistic, const char* text, int16_t checkBox) {
  statistic.SetParsedValue(text);
  statistic.SetCheckBoxValue(checkBox);
}

}  // namespace

void ParseBoolean(ParserContext& context) {
  Statistic& statistic = context.statistic;
  if (statistic.CurrentValue() == 0) {
    Show(statistic, "False", kUnchecked);
  } else {
    Show(statistic, "True", kChecked);
  }
}

void ParseTruthValue(ParserContext& context) {
  Statistic& statistic = context.statistic;
  if (statistic.CurrentValue() == 1) {
    Show(statistic, "True", kChecked);
  } else if (statistic.CurrentValue() == 2) {
    Show(statistic, "False", kUnchecked);
  } else {
    Show(statistic, "Unknown", kUnchecked);
  }
}

}  // namespace linkwatch
