#include "statistics/ParserSupport.h"

#include <cstdio>

#include "common/Formatting.h"

namespace linkwatch {

std::string PlainDecimal(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

std::string DateTimeText(SerialDate when, const ParserContext& context) {
  return context.regional.ShortDate(when) + " " + FormatTimeOfDay(when, context.regional);
}

}  // namespace linkwatch
