#pragma once
#include "statistics/ParserContext.h"

namespace linkwatch {

// "BOOLEAN": 0 is "False", anything else "True".
void ParseBoolean(ParserContext& context);
// "TRUTHVALUE": SNMP's TruthValue, 1 "True", 2 "False", anything else "Unknown".
void ParseTruthValue(ParserContext& context);

}  // namespace linkwatch
