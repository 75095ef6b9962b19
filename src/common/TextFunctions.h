#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace linkwatch {

// Small text and number helpers shared by the whole core.

// ASCII upper-casing; other bytes stay as they are.
std::string UpperCase(std::string_view text);

// Equal when the texts match after ASCII upper-casing.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// Removes blanks (spaces) from both ends; other white space is kept.
std::string TrimBlanks(std::string_view text);

// Splits at every separator; "a..b" gives "a", "", "b" and "" gives one empty part.
std::vector<std::string> Split(std::string_view text, char separator);

// The value of the decimal number a text begins with: leading blanks are skipped,
// then an optional sign, digits and an optional decimal point with more digits.
// 0 when the text does not begin with a number.
double NumericValue(std::string_view text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2, 3.5
// gives 4). Throws std::overflow_error when the result does not fit or the value
// is not a number; callers treat that as a failed step.
int16_t RoundToInt16(double value);
int32_t RoundToInt32(double value);
// The same rounding, with none where the result does not fit or is not a number.
std::optional<int16_t> TryRoundToInt16(double value);
std::optional<int32_t> TryRoundToInt32(double value);

// The flag rule of the statistics file: the text, upper-cased but not trimmed, is
// true when it is "YES", "TRUE", "1", "Y" or "USER".
bool ParseFlag(std::string_view text);

}  // namespace linkwatch
