#pragma once
#include "components/GridSurface.h"
#include "components/TextMeasure.h"

namespace linkwatch {

class Statistic;

// Shows one statistic in one grid cell: its text, icon or check box, the colours
// that tell baselining counters and writable values apart, the sort value the
// table's own sort compares, and a taller row for a value of several lines.
//
// Fill stops at the first error, leaving what it had not set yet as it was: a
// statistic without a definition fails at the check-box test (after its sort
// value is set), and a text value whose definition has no MIB object fails at the
// access test (after its text is set).
class CellFiller {
 public:
  // The text shown while a counter waits for its second sample.
  static constexpr const char* kBaseliningText = "baselining ...";

  // grid and measure (the control's font) must outlive the filler.
  CellFiller(GridSurface& grid, const TextMeasure& measure) : grid_(grid), measure_(measure) {}

  void Fill(const Statistic& stat, int row, int col) const;

  // Row height for a text of the given number of lines: that many heights of "X"
  // in the control's font, rounded to a whole number, halves to even.
  int RowHeightForLines(int lines) const;

 private:
  void FillText(const Statistic& stat, int row, int col) const;

  GridSurface& grid_;
  const TextMeasure& measure_;
};

}  // namespace linkwatch
