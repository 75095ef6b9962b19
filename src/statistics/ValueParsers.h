#pragma once
#include <string>

#include "statistics/ParserContext.h"

namespace linkwatch {

// A value parser: turns a statistic's new value into what the table shows.
using ValueParser = void (*)(ParserContext& context);

// Chooses the parser a template names. Parser names are compared exactly with
// the upper-case names of the table in ValueParsers.cpp, one function per name;
// any other name, the empty one included, runs the default text rule.
class ValueParsers {
 public:
  static ValueParser Find(const std::string& parserName);
  static void Run(ParserContext& context);

  // The default text rule (also "NUMBER"): the raw text, followed by a blank and
  // the template's units when it has units. CurrentValue is left as it is.
  static void DefaultText(ParserContext& context);
};

}  // namespace linkwatch
