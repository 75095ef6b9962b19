// What the user does through a view: each action changes the grid the way the
// user asked and raises the matching event.
#include <algorithm>
#include <stdexcept>
#include <unordered_map>

#include "platform/grid/CellSortKey.h"
#include "platform/grid/GridPositions.h"
#include "platform/grid/MemoryGrid.h"
#include "platform/grid/RowGroupSort.h"

namespace linkwatch {
namespace {

// Marks the grid as sorting for the life of a sort, also when a handler throws.
class SortingFlag {
 public:
  explicit SortingFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~SortingFlag() { flag_ = false; }
  SortingFlag(const SortingFlag&) = delete;
  SortingFlag& operator=(const SortingFlag&) = delete;

 private:
  bool& flag_;
};

}  // namespace

void MemoryGrid::SetMousePosition(int row, int col) {
  if (row != -1) CheckedPosition("row", row, Rows());
  if (col != -1) CheckedPosition("column", col, Cols());
  mouseRow_ = row;
  mouseCol_ = col;
}

void MemoryGrid::ChangeSelection(int row1, int col1, int row2, int col2) {
  CheckedPosition("row", row1, Rows());
  CheckedPosition("row", row2, Rows());
  CheckedPosition("column", col1, Cols());
  CheckedPosition("column", col2, Cols());
  const bool changed = row_ != row1 || col_ != col1 || rowSel_ != row2 || colSel_ != col2;
  row_ = row1, col_ = col1, rowSel_ = row2, colSel_ = col2;
  if (changed && events_) events_->SelectionChanged();
}

void MemoryGrid::SetCursor(int row, int col) { ChangeSelection(row, col, row, col); }

void MemoryGrid::Select(int row1, int col1, int row2, int col2) {
  ChangeSelection(row1, col1, row2, col2);
}

void MemoryGrid::DragColumn(int from, int to) {
  CheckNotSorting();
  const size_t source = CheckedPosition("column", from, Cols());
  const size_t target = CheckedPosition("column", to, Cols());
  if (source == target) return;
  edit_.reset();
  auto move = [&](auto& items) {
    auto begin = items.begin();
    if (source < target) {
      std::rotate(begin + static_cast<std::ptrdiff_t>(source),
                  begin + static_cast<std::ptrdiff_t>(source + 1),
                  begin + static_cast<std::ptrdiff_t>(target + 1));
    } else {
      std::rotate(begin + static_cast<std::ptrdiff_t>(target),
                  begin + static_cast<std::ptrdiff_t>(source),
                  begin + static_cast<std::ptrdiff_t>(source + 1));
    }
  };
  move(columns_);
  for (auto& row : rows_) {
    if (!row->Cells.empty()) move(row->Cells);
  }
  // The cursor and selection stay on the columns they were on.
  auto follow = [from, to](int col) {
    if (col == from) return to;
    if (from < to && col > from && col <= to) return col - 1;
    if (to < from && col >= to && col < from) return col + 1;
    return col;
  };
  col_ = follow(col_);
  colSel_ = follow(colSel_);
  if (lastSortCol_ == from) lastSortCol_ = to;
  if (events_) events_->ColumnMoved(from, to);
}

int MemoryGrid::ClickHeader(int col) {
  CheckNotSorting();
  CheckedPosition("column", col, Cols());
  int order = (col == lastSortCol_ && lastSortOrder_ == kSortAscending) ? kSortDescending
                                                                          : kSortAscending;
  if (events_) events_->BeforeSort(col, order);
  SortBody(col, order);
  lastSortCol_ = col;
  lastSortOrder_ = order;
  return order;
}

void MemoryGrid::SortBody(int col, int order) {
  RowGroupOrder before;
  const auto column = static_cast<size_t>(col);
  // The grid's own order reads each cell once: what its text means, with its
  // sort value (CellSortKey).
  std::unordered_map<const GridRow*, CellSortKey> keys;
  auto keyOf = [&](const GridRow& row) -> const CellSortKey& {
    auto found = keys.find(&row);
    if (found == keys.end()) {
      static const GridCell empty;
      const GridCell& cell = row.Cells.empty() ? empty : row.Cells[column];
      found = keys.emplace(&row, CellSortKey(cell.Text(), cell.SortValue())).first;
    }
    return found->second;
  };
  if (order == kGridSortCustom && events_) {
    before = [this](const GridRow& first, const GridRow& second) {
      int result = 0;
      events_->Compare(first.Position, second.Position, result);
      return result < 0;
    };
  } else if (order == kSortAscending) {
    before = [&](const GridRow& first, const GridRow& second) {
      return CellSortKey::Compare(keyOf(first), keyOf(second)) < 0;
    };
  } else if (order == kSortDescending) {
    before = [&](const GridRow& first, const GridRow& second) {
      return CellSortKey::Compare(keyOf(first), keyOf(second)) > 0;
    };
  } else {
    return;
  }
  SortingFlag sorting(sorting_);
  // The cursor and selection stay on the rows they were on.
  auto rowAt = [this](int row) {
    return row >= 0 && row < Rows() ? rows_[static_cast<size_t>(row)].get() : nullptr;
  };
  const GridRow* cursorRow = rowAt(row_);
  const GridRow* selectionEndRow = rowAt(rowSel_);
  SortRowGroups(rows_, static_cast<size_t>(fixedRows_), before);
  Renumber(static_cast<size_t>(fixedRows_));
  if (cursorRow) row_ = cursorRow->Position;
  if (selectionEndRow) rowSel_ = selectionEndRow->Position;
}

bool MemoryGrid::BeginEdit(int row, int col) {
  RowAt(row);
  CheckedPosition("column", col, Cols());
  edit_.reset();
  if (row < fixedRows_ || col < fixedCols_) return false;
  bool cancel = false;
  if (events_) events_->BeforeEdit(row, col, cancel);
  if (cancel) return false;
  // Looked up again: the handler may have changed the rows.
  edit_ = PendingEdit{&RowAt(row), col};
  return true;
}

bool MemoryGrid::CommitEdit(const std::string& text) {
  if (!edit_) return false;
  const PendingEdit edit = *edit_;
  edit_.reset();
  const int row = edit.Row->Position;  // the row may have moved while the user typed
  CellForWrite(row, edit.Col).SetText(text);
  if (events_) events_->AfterEdit(row, edit.Col);
  return true;
}

bool MemoryGrid::ToggleCheck(int row, int col) {
  if (!CellAt(row, col).HasCheckBox()) return false;
  if (row < fixedRows_ || col < fixedCols_) return false;
  edit_.reset();
  bool cancel = false;
  if (events_) events_->BeforeEdit(row, col, cancel);
  if (cancel) return false;
  GridCell& cell = CellForWrite(row, col);
  // A handler may have taken the check box away meanwhile.
  if (!cell.HasCheckBox()) return false;
  cell.SetCheckState(cell.CheckState() == kGridChecked ? kGridUnchecked : kGridChecked);
  if (events_) events_->AfterEdit(row, col);
  return true;
}

void MemoryGrid::MouseUp(int button, int shift, float x, float y) {
  if (events_) events_->MouseUp(button, shift, x, y);
}

}  // namespace linkwatch
