#include "common/TextFunctions.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace linkwatch {
namespace {

char UpperChar(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Nearest integer, halves to even, as a double (no range check).
double RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double fraction = value - lower;
  if (fraction > 0.5) {
    return lower + 1.0;
  }
  if (fraction < 0.5) {
    return lower;
  }
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

}  // namespace

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    c = UpperChar(c);
  }
  return result;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperChar(a[i]) != UpperChar(b[i])) {
      return false;
    }
  }
  return true;
}

std::string TrimBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) {
    return {};
  }
  const size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      parts.emplace_back(text.substr(start));
      return parts;
    }
    parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
}

double NumericValue(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Collect the digits and convert them once, independent of the C locale.
  std::string digits;
  bool seenDigit = false;
  while (i < text.size() && IsDigit(text[i])) {
    digits += text[i++];
    seenDigit = true;
  }
  if (i < text.size() && text[i] == '.') {
    digits += '.';
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      digits += text[i++];
      seenDigit = true;
    }
  }
  if (!seenDigit) {
    return 0.0;
  }
  if (digits.front() == '.') {
    digits.insert(digits.begin(), '0');
  }
  // A whole number of up to 15 digits (every counter and gauge an agent sends) is
  // exact in a double: add it up directly, the common case being the cheap one.
  if (digits.size() <= 15 && digits.find('.') == std::string::npos) {
    uint64_t whole = 0;
    for (const char digit : digits) whole = whole * 10 + static_cast<uint64_t>(digit - '0');
    return negative ? -static_cast<double>(whole) : static_cast<double>(whole);
  }
  double magnitude = 0.0;
  std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  return negative ? -magnitude : magnitude;
}

std::optional<int16_t> TryRoundToInt16(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= -32768.0 && rounded <= 32767.0)) return std::nullopt;
  return static_cast<int16_t>(rounded);
}

std::optional<int32_t> TryRoundToInt32(double value) {
  const double rounded = RoundHalfEven(value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) return std::nullopt;
  return static_cast<int32_t>(rounded);
}

int16_t RoundToInt16(double value) {
  const std::optional<int16_t> rounded = TryRoundToInt16(value);
  if (!rounded) throw std::overflow_error("number out of range for a 16-bit integer");
  return *rounded;
}

int32_t RoundToInt32(double value) {
  const std::optional<int32_t> rounded = TryRoundToInt32(value);
  if (!rounded) throw std::overflow_error("number out of range for a 32-bit integer");
  return *rounded;
}

bool ParseFlag(std::string_view text) {
  const std::string upper = UpperCase(text);
  return upper == "YES" || upper == "TRUE" || upper == "1" || upper == "Y" || upper == "USER";
}

}  // namespace linkwatch
