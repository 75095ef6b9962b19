#include "statistics/ValueParsers.h"

#include <string_view>
#include <unordered_map>

#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"

namespace linkwatch {
namespace {

const std::unordered_map<std::string_view, ValueParser>& ParserTable() {
  static const std::unordered_map<std::string_view, ValueParser> table = {
      {"NUMBER", &ValueParsers::DefaultText},
  };
  return table;
}

}  // namespace

ValueParser ValueParsers::Find(const std::string& parserName) {
  const auto& table = ParserTable();
  const auto found = table.find(parserName);
  return found == table.end() ? &ValueParsers::DefaultText : found->second;
}

void ValueParsers::Run(ParserContext& context) {
  Find(context.statisticTemplate.Parser())(context);
}

void ValueParsers::DefaultText(ParserContext& context) {
  const std::string& units = context.statisticTemplate.Units();
  std::string text = context.statistic.RawText();
  if (!units.empty()) {
    text += ' ';
    text += units;
  }
  context.statistic.SetParsedValue(std::move(text));
}

}  // namespace linkwatch
