#include "statistics/ValueParsers.h"

#include <string_view>
#include <unordered_map>

#include "statistics/AddressParsers.h"
#include "statistics/Ds1LineStatus.h"
#include "statistics/FlagParsers.h"
#include "statistics/LookupParsers.h"
#include "statistics/RateParsers.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/TimeParsers.h"
#include "statistics/WirelessParsers.h"

namespace linkwatch {
namespace {

const std::unordered_map<std::string_view, ValueParser>& ParserTable() {
  static const std::unordered_map<std::string_view, ValueParser> table = {
      // Rates and numbers.
      {"TRAFFIC", &ParseTraffic},
      {"BPS", &ParseBps},
      {"BYTES", &ParseBytes},
      {"UTILIZATION", &ParseUtilization},
      {"/10", &ParseTenths},
      {"NUMBER", &ValueParsers::DefaultText},
      // Flags.
      {"BOOLEAN", &ParseBoolean},
      {"TRUTHVALUE", &ParseTruthValue},
      // Durations and moments.
      {"MILLISECONDS", &ParseMilliseconds},
      {"TIMESTAMP", &ParseTimestamp},
      {"NEGATIVETIMESTAMP", &ParseNegativeTimestamp},
      {"NEGATIVETIMESECONDS", &ParseNegativeTimeSeconds},
      {"TIMESPAN", &ParseTimeSpan},
      // Look-ups.
      {"ENUM", &ParseEnum},
      {"ENUMSTRING", &ParseEnumString},
      {"OID", &ParseOid},
      {"MACADDRESS", &ParseMacAddress},
      {"MACVENDOR", &ParseMacVendor},
      {"OPERSTATUS", &ParseOperStatus},
      {"ADMINSTATUS", &ParseAdminStatus},
      {"INTERFACETYPE", &ParseInterfaceType},
      {"INTERFACETYPEDESCRIPTION", &ParseInterfaceTypeDescription},
      {"ICON", &ParseIcon},
      // Addresses.
      {"CISCONETWORKADDRESS", &ParseNetworkAddress},
      {"APPLETALKADDRESS", &ParseAppleTalkAddress},
      {"REVERSEDNS", &ParseReverseDns},
      // IEEE 802.11 and DS1.
      {"DOT11COUNTRYSTRING", &ParseDot11CountryString},
      {"DOT11INDOOROUTDOOR", &ParseDot11IndoorOutdoor},
      {"DOT11RADIOTYPE", &ParseDot11RadioType},
      {"DOT11CCAMODE", &ParseDot11CcaMode},
      {"WIRELESSCLIENTDATARATES", &ParseWirelessClientDataRates},
      {"DS1LINESTATUS", &ParseDs1LineStatus},
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
