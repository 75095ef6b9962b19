#include "statistics/ParserSupport.h"

#include <cstdio>


namespace linkwatch {

std::string PlainDecimal(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

}  // namespace linkwatch
