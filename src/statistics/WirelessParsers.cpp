#include "statistics/WirelessParsers.h"

#include <map>

#include "common/TextFunctions.h"
#include "statistics/ParserSupport.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"

namespace linkwatch {
namespace {

// The text of a number the value begins with, or none when the table does not
// name it.
const char* Lookup(const std::map<double, const char*>& table, const std::string& value) {
  const auto found = table.find(NumericValue(value));
  return found == table.end() ? nullptr : found->second;
}

}  // namespace

void ParseDot11CountryString(ParserContext& context) {
  context.statistic.SetParsedValue(context.value.substr(0, 2));
}

void ParseDot11IndoorOutdoor(ParserContext& context) {
  if (context.value.size() < 3) return;
  // ASCII upper-casing: a Turkish locale would not turn "i" into "I".
  switch (UpperCase(context.value.substr(2, 1))[0]) {
    case 'I':
      context.statistic.SetParsedValue("Indoor Use");
      break;
    case 'O':
      context.statistic.SetParsedValue("Outdoor Use");
      break;
    default:
      break;
  }
}

void ParseDot11RadioType(ParserContext& context) {
  static const std::map<double, const char*> kRadioTypes = {
      {0, "Unknown"},
      {1, "Frequency Hopping"},
      {2, "Direct Sequence"},
      {3, "Infra-Red"},
      {4, "Orthogonal Frequency Division Multiplexing"},
      {5, "High-Rate Direct Sequence"},
      {6, "Extended Rate Physical"},
  };
  if (const char* text = Lookup(kRadioTypes, context.value)) {
    context.statistic.SetParsedValue(text);
  }
}

void ParseDot11CcaMode(ParserContext& context) {
  static const std::map<double, const char*> kCcaModes = {
      {0, "Unknown"},
      {1, "Energy Detect Only"},
      {2, "Carrier Sense Only"},
      {4, "Energy Detect and Carrier Sense"},
      {8, "Carrier Sense with Timer"},
      {16, "High-Rate Carrier Sense and Energy Detect"},
  };
  const char* text = Lookup(kCcaModes, context.value);
  context.statistic.SetParsedValue(text ? std::string(text) : context.value);
}

void ParseWirelessClientDataRates(ParserContext& context) {
  const std::string& value = context.value;
  const std::string& units = context.statisticTemplate.Units();
  context.statistic.SetParsedValue({});
  if (!value.empty() && Octet(value[0]) > Octet('0')) {
    context.statistic.SetParsedValue(value + " " + units);
    return;
  }
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (i > 0) text += ", ";
    text += PlainDecimal(Octet(value[i]) / 2.0);
  }
  context.statistic.SetParsedValue(text + " " + units);
}

}  // namespace linkwatch
