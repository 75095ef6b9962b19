#pragma once
#include <optional>
#include <string_view>

namespace linkwatch {

// The magnitude a cell text states, for the grid's own sort: a number with an
// optional scale and units ("9.6 Kbps" is 9600, "-20.0 K" is -20000, "1.00 MB"
// is 1000000: scales count in thousands, as the text does not say its base), or a
// time span in words in seconds ("1 days, 1 hours" is 90000, "400 milliseconds"
// is 0.4). None for any other text. The decimal separator may be ".", "," or the
// Arabic decimal separator.
std::optional<double> TextQuantity(std::string_view text);

// Whether a text reads as a date and a time: it starts with a digit and has a
// blank followed later by a ":" ("3/7/2024 3:07 PM", "07.03.2024 15:07").
bool LooksLikeDateTime(std::string_view text);

}  // namespace linkwatch
