#pragma once
#include <string>

#include "components/TextMeasure.h"
#include "platform/grid/GridCell.h"

namespace linkwatch {

// How wide a cell's contents are, for fitting column widths.
//
// Without a TextMeasure the unit is characters: the longest line of the text in
// Unicode code points (UTF-8), plus 2 for a picture and 2 for a check box. With a
// TextMeasure the unit is its pixels: the widest line as measured, plus the
// picture's own width and, for a check box, a square as wide as a line is high.
class ColumnWidthMeter {
 public:
  explicit ColumnWidthMeter(const TextMeasure* measure) : measure_(measure) {}

  double Width(const GridCell& cell) const;

 private:
  double LineWidth(const std::string& text, size_t begin, size_t end) const;

  const TextMeasure* measure_;  // not owned; nullptr measures in characters
};

}  // namespace linkwatch
