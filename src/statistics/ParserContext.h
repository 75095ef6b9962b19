#pragma once
#include <string>

#include "components/Clock.h"
#include "components/RegionalSettings.h"

namespace linkwatch {

class Interface;
class Statistic;
class StatisticTemplate;

// Everything a value parser may read, and the statistic it writes to (its
// ParsedValue, CurrentValue, CheckBoxValue, Icon and raw text). Parsers reach the
// thread's shared objects (DeviceCatalog, DnsResolver) through Globals.
struct ParserContext {
  Statistic& statistic;
  const StatisticTemplate& statisticTemplate;
  const std::string& value;   // the raw value as received
  const std::string& hexVal;  // the same value as hexadecimal text
  const Interface* row;       // the row's interface; none where none is at hand
  const std::string& childIndex;
  SerialDate sharedLastBoot;  // the device's boot time; zero until known
  const Clock& clock;
  const RegionalSettings& regional;
};

}  // namespace linkwatch
