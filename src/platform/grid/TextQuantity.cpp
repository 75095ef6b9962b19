#include "platform/grid/TextQuantity.h"

#include <charconv>
#include <string>

namespace linkwatch {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

constexpr std::string_view kArabicDecimalSeparator = "\xD9\xAB";  // U+066B

void SkipBlanks(std::string_view text, size_t& at) {
  while (at < text.size() && text[at] == ' ') ++at;
}

// A decimal number at `at`: an optional sign, digits, and optionally a decimal
// separator followed by more digits. Moves `at` past it.
std::optional<double> ReadNumber(std::string_view text, size_t& at) {
  size_t i = at;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::string digits;
  while (i < text.size() && IsDigit(text[i])) digits += text[i++];
  if (digits.empty()) return std::nullopt;
  size_t separator = 0;
  if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
    separator = 1;
  } else if (text.substr(i, kArabicDecimalSeparator.size()) == kArabicDecimalSeparator) {
    separator = kArabicDecimalSeparator.size();
  }
  if (separator > 0 && i + separator < text.size() && IsDigit(text[i + separator])) {
    digits += '.';
    i += separator;
    while (i < text.size() && IsDigit(text[i])) digits += text[i++];
  }
  double value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  at = i;
  return negative ? -value : value;
}

// Seconds in one unit of a time span word; none for another word.
std::optional<double> SecondsPer(std::string_view word) {
  if (word == "days" || word == "day") return 86400.0;
  if (word == "hours" || word == "hour") return 3600.0;
  if (word == "minutes" || word == "minute") return 60.0;
  if (word == "seconds" || word == "second") return 1.0;
  if (word == "milliseconds" || word == "millisecond") return 0.001;
  return std::nullopt;
}

// "1 days, 2 hours, 3 minutes, 4 seconds" and "400 milliseconds", possibly
// followed by a blank and units.
std::optional<double> TimeSpan(std::string_view text) {
  size_t at = 0;
  double total = 0;
  for (;;) {
    const std::optional<double> count = ReadNumber(text, at);
    if (!count || at >= text.size() || text[at] != ' ') return std::nullopt;
    SkipBlanks(text, at);
    const size_t wordStart = at;
    while (at < text.size() && IsLetter(text[at])) ++at;
    const std::optional<double> unit = SecondsPer(text.substr(wordStart, at - wordStart));
    if (!unit) return std::nullopt;
    total += *count * *unit;
    if (text.substr(at, 2) == ", " && at + 2 < text.size() && IsDigit(text[at + 2])) {
      at += 2;
      continue;
    }
    if (at == text.size() || text[at] == ' ') return total;
    return std::nullopt;
  }
}

// The factor a scale at the start of the units stands for: "K", "M", "G", "T",
// "Peta"; 1 without one.
double ScaleOf(std::string_view units) {
  if (units.substr(0, 4) == "Peta") return 1e15;
  if (units.empty()) return 1;
  switch (units[0]) {
    case 'K':
    case 'k':
      return 1e3;
    case 'M':
      return 1e6;
    case 'G':
      return 1e9;
    case 'T':
      return 1e12;
    default:
      return 1;
  }
}

}  // namespace

std::optional<double> TextQuantity(std::string_view text) {
  size_t at = 0;
  SkipBlanks(text, at);
  text = text.substr(at);
  if (const std::optional<double> span = TimeSpan(text)) return span;
  at = 0;
  const std::optional<double> number = ReadNumber(text, at);
  if (!number) return std::nullopt;
  SkipBlanks(text, at);
  const std::string_view units = text.substr(at);
  // Units are words and signs; more digits mean another kind of text (an
  // address, a version, a list of rates).
  for (char c : units) {
    if (IsDigit(c)) return std::nullopt;
  }
  return *number * ScaleOf(units);
}

bool LooksLikeDateTime(std::string_view text) {
  if (text.empty() || !IsDigit(text[0])) return false;
  const size_t blank = text.find(' ');
  return blank != std::string_view::npos && text.find(':', blank) != std::string_view::npos;
}

}  // namespace linkwatch
