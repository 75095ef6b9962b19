#pragma once
#include "statistics/ParserContext.h"

namespace linkwatch {

// Parsers that look a value up: in the statistic's MIB object ("ENUM",
// "ENUMSTRING"), the MIB database ("OID"), or the device catalogue (MAC
// addresses and vendors, interface status, interface types and their icons).
void ParseEnum(ParserContext& context);
void ParseEnumString(ParserContext& context);
void ParseOid(ParserContext& context);
void ParseMacAddress(ParserContext& context);
void ParseMacVendor(ParserContext& context);
void ParseOperStatus(ParserContext& context);
void ParseAdminStatus(ParserContext& context);
void ParseInterfaceType(ParserContext& context);
void ParseInterfaceTypeDescription(ParserContext& context);
// "ICON": the template's units say what the number is: "OPERSTATUS",
// "ADMINSTATUS" or "INTERFACETYPE" (any letter case); other units change nothing.
void ParseIcon(ParserContext& context);

}  // namespace linkwatch
