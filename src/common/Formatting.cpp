#include "common/Formatting.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace linkwatch {
namespace {

// Decimal digits of |value| rounded half away from zero to the given number of
// decimals, as integer part and fraction part. The value is first written with
// 15 significant digits, so 2.675 rounds to 2.68 as a person expects although
// its binary form lies a little below.
void RoundDecimal(double value, int decimals, std::string& integerPart, std::string& fraction) {
  // std::to_chars never consults the C library's locale, so the digits come out
  // the same whatever locale the host (or Qt's application object) has set.
  char text[64];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific, 14);
  const std::string_view scientific(text, static_cast<size_t>(written.ptr - text));
  // scientific is "d.dddddddddddddde[+-]xx": 15 significant digits and an exponent.
  const size_t exponentAt = scientific.find('e');
  std::string digits;
  digits += scientific[0];
  digits.append(scientific.substr(2, exponentAt - 2));
  int exponent = 0;
  const std::string_view exponentText = scientific.substr(exponentAt + 1);
  const size_t signLength = exponentText.front() == '+' ? 1 : 0;
  std::from_chars(exponentText.data() + signLength, exponentText.data() + exponentText.size(),
                  exponent);
  // Place the decimal point: digits[0] has weight 10^exponent.
  int pointAt = exponent + 1;  // number of digits before the point
  if (pointAt <= 0) {
    digits.insert(0, static_cast<size_t>(1 - pointAt), '0');
    pointAt = 1;
  }
  if (static_cast<int>(digits.size()) < pointAt + decimals + 1) {
    digits.append(static_cast<size_t>(pointAt + decimals + 1) - digits.size(), '0');
  }
  const bool roundUp = digits[static_cast<size_t>(pointAt + decimals)] >= '5';
  digits.resize(static_cast<size_t>(pointAt + decimals));
  if (roundUp) {
    int i = static_cast<int>(digits.size()) - 1;
    while (i >= 0 && digits[static_cast<size_t>(i)] == '9') {
      digits[static_cast<size_t>(i)] = '0';
      --i;
    }
    if (i >= 0) {
      ++digits[static_cast<size_t>(i)];
    } else {
      digits.insert(digits.begin(), '1');
      ++pointAt;
    }
  }
  integerPart = digits.substr(0, static_cast<size_t>(pointAt));
  const size_t firstNonZero = integerPart.find_first_not_of('0');
  integerPart = firstNonZero == std::string::npos ? "0" : integerPart.substr(firstNonZero);
  fraction = digits.substr(static_cast<size_t>(pointAt));
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern, const RegionalSettings& regional) {
  // Digit places are "#" and "0"; the decimals are the places after the ".".
  const size_t lastPlace = pattern.find_last_of("#0");
  const std::string_view literalTail =
      lastPlace == std::string_view::npos ? pattern : pattern.substr(lastPlace + 1);
  const std::string_view places =
      lastPlace == std::string_view::npos ? std::string_view() : pattern.substr(0, lastPlace + 1);
  const size_t point = places.find('.');
  const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(places.size() - point - 1);

  if (!std::isfinite(value)) {
    return std::string(std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity")) +
           std::string(literalTail);
  }
  std::string integerPart;
  std::string fraction;
  RoundDecimal(value, decimals, integerPart, fraction);
  const bool isZero = integerPart == "0" && fraction.find_first_not_of('0') == std::string::npos;
  std::string result;
  if (value < 0 && !isZero) {
    result += '-';
  }
  result += integerPart;
  if (decimals > 0) {
    result += regional.DecimalSeparator();
    result += fraction;
  }
  result += literalTail;
  return result;
}

std::string FormatScaled(double value, const std::string& units, bool base1024,
                         const RegionalSettings& regional) {
  const double base = base1024 ? 1024.0 : 1000.0;
  const double magnitude = std::fabs(value);
  double divisor = 1.0;
  const char* pattern = "##0";
  const char* suffix = " ";
  if (magnitude <= 9600.0) {
    // unscaled
  } else if (magnitude <= 50000.0) {
    divisor = base, pattern = "##0.0", suffix = " K";
  } else if (magnitude < 1e6) {
    divisor = base, pattern = "##0", suffix = " K";
  } else if (magnitude <= 9e6) {
    divisor = base * base, pattern = "##0.00", suffix = " M";
  } else if (magnitude < 1e9) {
    divisor = base * base, pattern = "##0", suffix = " M";
  } else if (magnitude < 1e12) {
    divisor = base * base * base, pattern = "##0.0", suffix = " G";
  } else if (magnitude < 1e15) {
    divisor = base * base * base * base, pattern = "##0.0", suffix = " T";
  } else {
    divisor = base * base * base * base * base, pattern = "##0.0", suffix = " Peta";
  }
  return FormatNumber(value / divisor, pattern, regional) + suffix + units;
}

std::string FormatTimeSpan(int32_t days, int32_t hours, int32_t minutes, int32_t seconds) {
  int32_t hourSeconds = 0;
  int32_t minuteSeconds = 0;
  if (__builtin_mul_overflow(hours, 3600, &hourSeconds) ||
      __builtin_mul_overflow(minutes, 60, &minuteSeconds)) {
    throw std::overflow_error("time span too long");
  }
  // Every term is a whole number, so 64-bit integers hold the total exactly.
  int64_t total = static_cast<int64_t>(days) * 86400 + hourSeconds + minuteSeconds + seconds;
  std::string text;
  const char* separator = "";
  auto append = [&](int64_t count, const char* unit) {
    text += separator;
    text += std::to_string(count);
    text += unit;
    separator = ", ";
  };
  if (total > 86400) {
    append(total / 86400, " days");
    total %= 86400;
  }
  if (total > 3600) {
    append(total / 3600, " hours");
    total %= 3600;
  }
  if (total > 60) {
    append(total / 60, " minutes");
    total %= 60;
  }
  if (total > 0) {
    append(total, " seconds");
  }
  return text;
}

std::string FormatTimeOfDay(SerialDate when, const RegionalSettings& regional) {
  std::string medium = regional.MediumTime(when);
  if (!medium.empty() && medium.back() == 'M') {
    return medium;
  }
  return regional.ShortTime(when);
}

std::string FormatDateTime(SerialDate when, const RegionalSettings& regional) {
  return regional.ShortDate(when) + " " + FormatTimeOfDay(when, regional);
}

}  // namespace linkwatch
