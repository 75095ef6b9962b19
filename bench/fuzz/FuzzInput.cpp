#include "FuzzInput.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace linkwatch::fuzz {
namespace {

const std::vector<std::string> kNumbers = {
    "0", "-0", "1", "-1", "255", "256", "65535", "65536", "2147483647", "2147483648",
    "-2147483648", "-2147483649", "4294967295", "4294967296", "9223372036854775807",
    "18446744073709551615", "18446744073709551616", "1e300", "-1e300", "1e400", "nan",
    "NaN", "inf", "-inf", "0.5", "2.5", "-2.5", "1.7976931348623157e308", "4.9e-324",
    "0x7fffffff", "0xFFFFFFFFFFFFFFFF", "+5", " 42", "42 ", "12abc", ".", "-", "",
    "99999999999999999999999999999999999999999999999999999999999999999999999999999999"};

// Pieces of UTF-8: valid sequences, and ones that are not well-formed.
const std::vector<std::string> kUtf8Pieces = {
    "\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x98\x80", "\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80",
    "\xf4\x90\x80\x80", "\xff", "\xfe", "\x80", "\xc3", "\xe2\x82", "\xf0\x9f\x98", "\"", "\\",
    "\x1b[2J", "\t", "\r\n", std::string(1, '\0'), "\x7f", "\xef\xbb\xbf"};

}  // namespace

size_t FuzzInput::Below(size_t count) {
  if (count == 0) return 0;
  return static_cast<size_t>(random_() % count);
}

std::string FuzzInput::Bytes(size_t maxLength) {
  std::string bytes(Below(maxLength + 1), '\0');
  for (char& byte : bytes) byte = static_cast<char>(random_() & 0xff);
  return bytes;
}

std::string FuzzInput::NumberText() {
  switch (Below(4)) {
    case 0: return Pick(kNumbers);
    case 1: return std::to_string(static_cast<int64_t>(random_()));
    case 2: return std::to_string(Int32());
    default: {
      char text[64];
      std::snprintf(text, sizeof text, "%.17g", Double());
      return text;
    }
  }
}

std::string FuzzInput::HexText(size_t maxOctets) {
  static constexpr char kDigits[] = "0123456789ABCDEFabcdef";
  const bool spaced = OneIn(2);
  std::string hex;
  const size_t octets = Below(maxOctets + 1);
  for (size_t i = 0; i < octets; ++i) {
    if (spaced && i > 0) hex += ' ';
    hex += kDigits[Below(sizeof kDigits - 1)];
    hex += kDigits[Below(sizeof kDigits - 1)];
  }
  if (OneIn(8)) hex += Pick(std::vector<std::string>{"G", " ", "-", ":", "0"});
  return hex;
}

std::string FuzzInput::Text(size_t maxLength) {
  switch (Below(6)) {
    case 0: return Bytes(maxLength);
    case 1: return NumberText();
    case 2: return HexText();
    case 3: {
      std::string text;
      const size_t pieces = Below(8);
      for (size_t i = 0; i < pieces; ++i) text += OneIn(2) ? Pick(kUtf8Pieces) : Bytes(4);
      return text;
    }
    case 4: {
      // A dotted text: addresses, OIDs, MAC texts.
      std::string text;
      const size_t parts = Below(8);
      for (size_t i = 0; i < parts; ++i) {
        if (i > 0) text += OneIn(6) ? ":" : ".";
        text += OneIn(3) ? NumberText() : std::to_string(Below(300));
      }
      return text;
    }
    default: return Mutate(NumberText());
  }
}

double FuzzInput::Double() {
  switch (Below(8)) {
    case 0: return std::numeric_limits<double>::quiet_NaN();
    case 1: return OneIn(2) ? std::numeric_limits<double>::infinity()
                            : -std::numeric_limits<double>::infinity();
    case 2: return OneIn(2) ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
    case 3: return std::numeric_limits<double>::denorm_min();
    case 4: return static_cast<double>(Int32());
    case 5: return std::ldexp(static_cast<double>(random_() % 1000000) / 1000.0, static_cast<int>(Below(120)) - 20);
    default: {
      // Any bit pattern.
      const uint64_t bits = random_();
      double value = 0;
      static_assert(sizeof value == sizeof bits);
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
  }
}

int32_t FuzzInput::Int32() {
  static const std::vector<int32_t> kEdges = {0, 1, -1, 59, 60, 3600, 86400, 65535, 65536,
                                              std::numeric_limits<int32_t>::max(),
                                              std::numeric_limits<int32_t>::min()};
  // An edge or one of its neighbours; past the ends of the range it wraps round.
  if (OneIn(2)) {
    return static_cast<int32_t>(static_cast<uint32_t>(Pick(kEdges)) +
                                static_cast<uint32_t>(Below(3)) - 1u);
  }
  return static_cast<int32_t>(static_cast<uint32_t>(random_()));
}

std::string FuzzInput::Mutate(std::string text, const std::vector<std::string>& tokens) {
  const size_t edits = 1 + Below(4);
  for (size_t e = 0; e < edits; ++e) {
    const size_t at = Below(text.size() + 1);
    switch (Below(7)) {
      case 0:  // flip a bit
        if (!text.empty()) text[Below(text.size())] ^= static_cast<char>(1u << Below(8));
        break;
      case 1:  // delete a run
        if (!text.empty()) text.erase(Below(text.size()), 1 + Below(16));
        break;
      case 2:  // insert random bytes
        text.insert(at, Bytes(8));
        break;
      case 3:  // insert a token
        if (!tokens.empty()) text.insert(at, Pick(tokens));
        break;
      case 4:  // insert an interesting number or UTF-8 piece
        text.insert(at, OneIn(2) ? Pick(kNumbers) : Pick(kUtf8Pieces));
        break;
      case 5:  // repeat a run
        if (!text.empty()) {
          const size_t from = Below(text.size());
          const std::string run = text.substr(from, 1 + Below(32));
          text.insert(at, run);
        }
        break;
      default:  // cut off
        text.resize(at);
        break;
    }
  }
  return text;
}

}  // namespace linkwatch::fuzz
