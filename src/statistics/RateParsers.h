#pragma once
#include "statistics/ParserContext.h"

namespace linkwatch {

// Parsers of rates and numbers: octets per second as bits per second ("TRAFFIC"),
// plain rates ("BPS"), byte counts scaled by 1024 ("BYTES"), a rate as a share
// of the interface's bandwidth ("UTILIZATION") and tenths ("/10").
void ParseTraffic(ParserContext& context);
void ParseBps(ParserContext& context);
void ParseBytes(ParserContext& context);
void ParseUtilization(ParserContext& context);
void ParseTenths(ParserContext& context);

}  // namespace linkwatch
