// The grid's contents: cells, the selection text, heights and widths, hidden
// rows and the outline.
#include <cmath>
#include <stdexcept>

#include "platform/grid/ColumnWidthMeter.h"
#include "platform/grid/GridPositions.h"
#include "platform/grid/MemoryGrid.h"

namespace linkwatch {
namespace {

// What a cell that was never written holds.
const GridCell& EmptyCell() {
  static const GridCell empty;
  return empty;
}

}  // namespace

const GridCell& MemoryGrid::CellAt(int row, int col) const {
  const GridRow& target = RowAt(row);
  const size_t column = CheckedPosition("column", col, Cols());
  return target.Cells.empty() ? EmptyCell() : target.Cells[column];
}

GridCell& MemoryGrid::CellForWrite(int row, int col) {
  GridRow& target = RowAt(row);
  const size_t column = CheckedPosition("column", col, Cols());
  if (target.Cells.empty()) target.Cells.resize(columns_.size());
  return target.Cells[column];
}

GridValue MemoryGrid::Cell(int attribute, int row, int col) const {
  return CellAt(row, col).Get(attribute);
}

void MemoryGrid::SetCell(int attribute, int row, int col, const GridValue& value) {
  CellForWrite(row, col).Set(attribute, value);
}

std::string MemoryGrid::CellText(int row, int col) const { return CellAt(row, col).Text(); }

// Hidden rows are left out: the text is what the user sees selected.
std::string MemoryGrid::Clip() const {
  if (rows_.empty() || columns_.empty()) return {};
  int row1, col1, row2, col2;
  GetSelection(row1, col1, row2, col2);
  std::string text;
  bool firstLine = true;
  // Rows the user cannot see are left out: hidden rows, and the rows of a group
  // whose head is collapsed (found from the top, as the head may be above row1).
  int collapsedLevel = -1;  // level of the collapsed head the rows are under; -1 none
  for (int row = 0; row <= row2; ++row) {
    const GridRow& line = *rows_[static_cast<size_t>(row)];
    if (collapsedLevel >= 0 && line.OutlineLevel <= collapsedLevel) collapsedLevel = -1;
    const bool folded = collapsedLevel >= 0;
    if (!folded && line.Collapsed) collapsedLevel = line.OutlineLevel;
    if (row < row1 || folded || line.Hidden) continue;
    if (!firstLine) text += '\r';
    firstLine = false;
    for (int col = col1; col <= col2; ++col) {
      if (col > col1) text += '\t';
      if (!line.Cells.empty()) text += line.Cells[static_cast<size_t>(col)].Text();
    }
  }
  return text;
}

void MemoryGrid::SetRowHeight(int row, int height) {
  if (height < GridRow::kDefaultHeight) {
    throw std::invalid_argument("row height " + std::to_string(height) + " is negative");
  }
  RowAt(row).Height = height;
}

void MemoryGrid::SetColWidth(int col, int width) {
  if (width < GridColumn::kDefaultWidth) {
    throw std::invalid_argument("column width " + std::to_string(width) + " is negative");
  }
  ColumnAt(col).Width = width;
}

void MemoryGrid::AutoSize(int firstCol, int lastCol) {
  if (lastCol < firstCol) return;  // nothing to fit, as for a grid without columns
  const size_t first = CheckedPosition("column", firstCol, Cols());
  const size_t last = CheckedPosition("column", lastCol, Cols());
  const ColumnWidthMeter meter(measure_);
  std::vector<double> widths(last - first + 1, 0.0);
  for (const auto& row : rows_) {
    if (row->Cells.empty()) continue;
    for (size_t col = first; col <= last; ++col) {
      widths[col - first] = std::max(widths[col - first], meter.Width(row->Cells[col]));
    }
  }
  // Rounded to the nearest whole unit, halves to even.
  for (size_t col = first; col <= last; ++col) {
    columns_[col].Width = static_cast<int>(std::nearbyint(widths[col - first]));
  }
}

void MemoryGrid::SetRowOutlineLevel(int row, int level) {
  RowAt(row).OutlineLevel = CheckedCount("outline level", level, kMaxOutlineLevel);
}

// The child goes right after the last row of the parent's group (its deeper
// rows), so a later child comes after earlier ones and after their own children.
int MemoryGrid::AddChild(int parentRow, int relation, const std::string& text,
                         const std::string& key) {
  CheckNotSorting();
  if (relation != kGridRelationChild) {
    throw std::invalid_argument("outline relation " + std::to_string(relation) +
                                " is not supported; only " +
                                std::to_string(kGridRelationChild) + " (child) is");
  }
  const GridRow& parent = RowAt(parentRow);
  const int level = CheckedCount("outline level", parent.OutlineLevel + 1, kMaxOutlineLevel);
  CheckedCount("row", Rows() + 1, kMaxRows);

  size_t position = static_cast<size_t>(parentRow) + 1;
  while (position < rows_.size() && rows_[position]->OutlineLevel > parent.OutlineLevel) {
    ++position;
  }
  auto child = std::make_unique<GridRow>();
  child->Key = key;
  child->OutlineLevel = level;
  const GridRow& added = *child;
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(position), std::move(child));
  keys_.Add(added);
  Renumber(position);

  // The cursor and selection stay on the rows they were on.
  const int inserted = static_cast<int>(position);
  if (row_ >= inserted) ++row_;
  if (rowSel_ >= inserted) ++rowSel_;
  if (!text.empty() && Cols() > 0) CellForWrite(inserted, 0).SetText(text);
  return inserted;
}

}  // namespace linkwatch
