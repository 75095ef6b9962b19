#pragma once
#include <cstdint>
#include <string>

#include "statistics/ParserContext.h"

namespace linkwatch {

// The alarms of a DS1/E1 line status bit map, one per line (CR LF between them),
// in ascending bit order; bits above 4096 are ignored and 0 gives an empty text.
std::string DescribeDs1LineStatus(int32_t status);

// "DS1LINESTATUS": the number the value begins with, described as above.
void ParseDs1LineStatus(ParserContext& context);

}  // namespace linkwatch
