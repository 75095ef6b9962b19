#pragma once
#include <string>

#include "components/GridValue.h"

namespace linkwatch {

// What a cell means to the grid's own sort (a header click the owner leaves to
// the grid), so that every column sorts the way a person expects:
//
// - A quantity: a number, optionally followed by a scale (K, M, G, T, Peta) and
//   units ("9.6 Kbps", "1.00 MB", "23.5 C"), or a time span in words ("1 days,
//   2 hours", "400 milliseconds"). It sorts by its magnitude: the cell's sort value
//   where it has a numeric one (exact, and right across the rounding of the
//   bands), otherwise the magnitude read from the text. The decimal separator may
//   be ".", "," or the Arabic one, as the user's regional settings write it.
// - A moment shown as date and time ("3/7/2024 3:07 PM"): its numeric sort value,
//   which the owner sets to the moment, when it has one.
// - Any other text: natural order, ignoring the letter case of A-Z and comparing
//   runs of digits by value, so "eth2" comes before "eth10" and "10.0.0.2" before
//   "10.0.0.10"; texts equal that way compare byte by byte.
//
// Quantities and moments come before other texts; empty texts come last.
class CellSortKey {
 public:
  CellSortKey(const std::string& text, const GridValue& sortValue);

  // <0, 0 or >0.
  static int Compare(const CellSortKey& left, const CellSortKey& right);

  // Natural text order on its own, as above.
  static int CompareNaturally(const std::string& left, const std::string& right);

 private:
  enum class Kind { kQuantity, kText, kEmpty };

  Kind kind_ = Kind::kText;
  double magnitude_ = 0;
  std::string text_;
};

}  // namespace linkwatch
