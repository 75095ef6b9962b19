// The grid's structure: rows, columns, keys, cursor and selection, repaint,
// placement and settings.
#include "platform/grid/MemoryGrid.h"

#include <algorithm>
#include <stdexcept>

#include "platform/grid/GridPositions.h"

namespace linkwatch {

MemoryGrid::MemoryGrid(const TextMeasure* measure) : measure_(measure) {}

MemoryGrid::~MemoryGrid() = default;

GridRow& MemoryGrid::RowAt(int row) {
  return *rows_[CheckedPosition("row", row, Rows())];
}

const GridRow& MemoryGrid::RowAt(int row) const {
  return *rows_[CheckedPosition("row", row, Rows())];
}

GridColumn& MemoryGrid::ColumnAt(int col) {
  return columns_[CheckedPosition("column", col, Cols())];
}

const GridColumn& MemoryGrid::ColumnAt(int col) const {
  return columns_[CheckedPosition("column", col, Cols())];
}

void MemoryGrid::CheckNotSorting() const {
  if (sorting_) throw std::logic_error("the grid cannot add, drop or move rows or columns while it sorts");
}

void MemoryGrid::Renumber(size_t from) {
  for (size_t position = from; position < rows_.size(); ++position) {
    rows_[position]->Position = static_cast<int>(position);
  }
}

void MemoryGrid::SetRows(int rows) {
  CheckNotSorting();
  const auto count = static_cast<size_t>(CheckedCount("row", rows, kMaxRows));
  if (count > rows_.size()) {
    // Grow geometrically: the table appends rows one at a time, and an exact
    // reserve would copy the whole row list on every append.
    if (count > rows_.capacity()) rows_.reserve(std::max(count, 2 * rows_.capacity()));
    while (rows_.size() < count) {
      rows_.push_back(std::make_unique<GridRow>());
      rows_.back()->Position = static_cast<int>(rows_.size() - 1);
    }
    return;
  }
  if (edit_ && static_cast<size_t>(edit_->Row->Position) >= count) edit_.reset();
  for (size_t position = count; position < rows_.size(); ++position) keys_.Remove(*rows_[position]);
  rows_.resize(count);
  fixedRows_ = std::min(fixedRows_, rows);
  row_ = ClampedPosition(row_, rows);
  rowSel_ = ClampedPosition(rowSel_, rows);
  if (mouseRow_ >= rows) mouseRow_ = -1;
}

void MemoryGrid::SetCols(int cols) {
  CheckNotSorting();
  const auto count = static_cast<size_t>(CheckedCount("column", cols, kMaxCols));
  columns_.resize(count);
  for (auto& row : rows_) {
    if (!row->Cells.empty()) row->Cells.resize(count);
  }
  if (edit_ && edit_->Col >= cols) edit_.reset();
  if (lastSortCol_ >= cols) lastSortCol_ = -1;
  fixedCols_ = std::min(fixedCols_, cols);
  col_ = ClampedPosition(col_, cols);
  colSel_ = ClampedPosition(colSel_, cols);
  if (mouseCol_ >= cols) mouseCol_ = -1;
}

void MemoryGrid::SetFixedRows(int rows) { fixedRows_ = CheckedCount("fixed row", rows, Rows()); }

void MemoryGrid::SetFixedCols(int cols) { fixedCols_ = CheckedCount("fixed column", cols, Cols()); }

void MemoryGrid::SetRow(int row) { row_ = CheckedCursor("row", row, Rows()); }

void MemoryGrid::SetCol(int col) { col_ = CheckedCursor("column", col, Cols()); }

void MemoryGrid::SetRowSel(int row) { rowSel_ = CheckedCursor("row", row, Rows()); }

void MemoryGrid::SetColSel(int col) { colSel_ = CheckedCursor("column", col, Cols()); }

void MemoryGrid::GetSelection(int& row1, int& col1, int& row2, int& col2) const {
  row1 = std::min(row_, rowSel_);
  row2 = std::max(row_, rowSel_);
  col1 = std::min(col_, colSel_);
  col2 = std::max(col_, colSel_);
}

void MemoryGrid::SetRedraw(int code) {
  if (code == kGridRedrawSuspend) {
    ++redrawSuspends_;
  } else if (code > 0 && code <= 3) {
    // 1 to 3 all resume (drawing directly or buffered is the view's business).
    if (redrawSuspends_ > 0) --redrawSuspends_;
  } else {
    throw std::invalid_argument("unknown repaint code " + std::to_string(code));
  }
}

void MemoryGrid::SetRowData(int row, const std::string& key) {
  GridRow& target = RowAt(row);
  keys_.Remove(target);
  target.Key = key;
  keys_.Add(target);
}

int MemoryGrid::FindRow(const std::string& key) const {
  if (key.empty()) {
    // Empty keys are not indexed: every fresh row has one.
    for (const auto& row : rows_) {
      if (row->Key.empty()) return row->Position;
    }
    return -1;
  }
  const GridRow* found = keys_.Find(key);
  return found ? found->Position : -1;
}

void MemoryGrid::Move(int left, int top, int width, int height) {
  if (width < 0 || height < 0) {
    throw std::invalid_argument("the grid cannot be placed with a negative width or height");
  }
  placement_ = {left, top, width, height};
}

GridValue MemoryGrid::Setting(int id) const {
  auto found = settings_.find(id);
  return found == settings_.end() ? GridValue{} : found->second;
}

void MemoryGrid::SetBackColorStandard(int64_t color) {
  if (color < 0 || color > 0xFFFFFFFF) {
    throw std::out_of_range("background colour " + std::to_string(color) + " is not a colour");
  }
  backColor_ = color;
}

}  // namespace linkwatch
