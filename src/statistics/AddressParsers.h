#pragma once
#include "statistics/ParserContext.h"

namespace linkwatch {

// Parsers of addresses carried as octet strings (one character per octet).

// "CISCONETWORKADDRESS": an IPv4 address in four octets, shown dotted.
void ParseNetworkAddress(ParserContext& context);
// "APPLETALKADDRESS": octets 2 and 3 run together, ".", octets 4 and 5.
void ParseAppleTalkAddress(ParserContext& context);
// "REVERSEDNS": the host name of an IPv4 address in four octets. The lookup runs
// on the thread's resolver; its answer comes back as a new value "DNS:<name>" of
// the same statistic, which this parser then shows.
void ParseReverseDns(ParserContext& context);

}  // namespace linkwatch
