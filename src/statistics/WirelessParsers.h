#pragma once
#include "statistics/ParserContext.h"

namespace linkwatch {

// Parsers of IEEE 802.11 settings and wireless client data.

// "DOT11COUNTRYSTRING": the two-letter country code of the country string.
void ParseDot11CountryString(ParserContext& context);
// "DOT11INDOOROUTDOOR": the country string's third character, "I" or "O".
void ParseDot11IndoorOutdoor(ParserContext& context);
// "DOT11RADIOTYPE": the PHY type number as the radio's name.
void ParseDot11RadioType(ParserContext& context);
// "DOT11CCAMODE": the clear channel assessment mode number as text.
void ParseDot11CcaMode(ParserContext& context);
// "WIRELESSCLIENTDATARATES": supported rates, one octet per rate in units of
// 500 kbit/s, as "1, 2, 5.5, 11 Mbps"; a value that is text already is shown
// as it is.
void ParseWirelessClientDataRates(ParserContext& context);

}  // namespace linkwatch
