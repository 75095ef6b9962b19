#include "table/CellFiller.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "common/TextFunctions.h"
#include "components/MibObject.h"
#include "statistics/Statistic.h"
#include "table/TableColors.h"

namespace linkwatch {

void CellFiller::Fill(const Statistic& stat, int row, int col) const {
  grid_.SetCell(kCellSort, row, col, GridValue{stat.CurrentValue()});

  if (stat.IsIcon()) {
    // The icon says it all; the text of the cell is left as it was. The sort
    // value is the parsed text, so icons sort by what they stand for.
    grid_.SetCell(kCellPicture, row, col, GridValue{stat.Icon()});
    grid_.SetCell(kCellPictureAlignment, row, col, GridValue{kCellPicturePlacement});
    grid_.SetCell(kCellSort, row, col, GridValue{stat.ParsedValue()});
    return;
  }

  if (stat.Baselining()) {
    grid_.SetCell(kCellText, row, col, GridValue{std::string(kBaseliningText)});
    grid_.SetCell(kCellForeColor, row, col, GridValue{table_color::kGrey});
    return;
  }

  if (stat.IsCheckBox()) {  // throws for a statistic without a definition
    const int64_t state = stat.CheckBoxValue() != 0 ? kGridChecked : kGridUnchecked;
    grid_.SetCell(kCellChecked, row, col, GridValue{state});
    grid_.SetCell(kCellSort, row, col, GridValue{stat.ParsedValue()});
    grid_.SetCell(kCellPictureAlignment, row, col, GridValue{kCellPicturePlacement});
    return;
  }

  FillText(stat, row, col);
}

void CellFiller::FillText(const Statistic& stat, int row, int col) const {
  const std::string& text = stat.ParsedValue();
  grid_.SetCell(kCellText, row, col, GridValue{text});

  const std::shared_ptr<const MibObject> object = stat.OID();
  if (!object) {
    throw std::logic_error("statistic " + stat.StatName() + " has no MIB object to ask for access");
  }
  if (object->AccessCode() == kMibWritable) {
    grid_.SetCell(kCellForeColor, row, col, GridValue{table_color::kWritableText});
    grid_.SetCell(kCellBackColor, row, col, GridValue{table_color::kWritableBackground});
  } else {
    grid_.SetCell(kCellForeColor, row, col, GridValue{table_color::kBlack});
  }

  // Only a value of several lines changes the row's height; one line leaves the
  // height a taller value gave the row before.
  const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
  if (lines >= 2) grid_.SetRowHeight(row, RowHeightForLines(static_cast<int>(lines)));
}

int CellFiller::RowHeightForLines(int lines) const {
  return RoundToInt32(static_cast<double>(lines) * measure_.TextHeight("X"));
}

}  // namespace linkwatch
