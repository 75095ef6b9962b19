#include "statistics/ParserSupport.h"

#include <charconv>

namespace linkwatch {

std::string PlainDecimal(double value) {
  // Up to 15 significant digits, like "%.15g", but through std::to_chars, which
  // always writes "." whatever locale the C library has been set to.
  char buffer[64];
  const std::to_chars_result written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  return std::string(buffer, written.ptr);
}

}  // namespace linkwatch
