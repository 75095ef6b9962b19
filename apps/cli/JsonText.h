#pragma once
#include <string>
#include <string_view>

namespace linkwatch::cli {

// JSON string literals for texts that come from devices: quotes, backslashes and
// control characters are escaped, and bytes that are not well-formed UTF-8 (a
// device may send any octets) become U+FFFD, so the output always parses.
class JsonText {
 public:
  // The text as a JSON string literal, quotes included.
  static std::string Quote(std::string_view text);

  // The length of the well-formed UTF-8 sequence at the start of text, or 0 when
  // it does not begin with one (overlong forms, surrogates and code points above
  // U+10FFFF are not well-formed).
  static size_t Utf8SequenceLength(std::string_view text);
};

}  // namespace linkwatch::cli
