// What the control does when the grid reports the user's actions: column drags,
// the start of an edit, sorting, selection changes and mouse releases. The end of
// an edit writes to the device (InterfaceListActions.cpp).
#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "statistics/StatisticTemplates.h"
#include "table/TableSortOrder.h"

namespace linkwatch {
namespace {

constexpr int kRightButton = 2;

}  // namespace

void InterfaceList::OnColumnMoved(int column, int position) {
  int32_t col = column;
  int32_t newPosition = position;
  RearrangedColumns.Raise(col, newPosition);
}

void InterfaceList::OnBeforeEdit(int /*row*/, int column, bool& cancel) {
  // Only a column of a known statistic can be edited, and only when its MIB
  // object is writable; a check box of the control's own (no MIB object) always.
  const auto definition = Globals::Templates()->Item(table_->ColKey(column));
  if (!definition) {
    cancel = true;
    return;
  }
  if (const auto object = definition->OID(); object && object->AccessCode() != kMibWritable) {
    cancel = true;
  }
}

void InterfaceList::OnBeforeSort(int column, int& order) {
  // Statistics whose text does not sort well (rates, times, icons, check boxes)
  // are ordered by their cells' sort values; the others by the grid itself.
  const auto definition = Globals::Templates()->Item(table_->ColKey(column));
  if (!definition || !definition->CustomSort()) return;
  state_.SortDirection = TableSortOrder::NextDirection(state_.SortDirection);
  state_.SortColumn = static_cast<int16_t>(column);
  order = kGridSortCustom;
}

void InterfaceList::OnCompare(int row1, int row2, int& result) {
  try {
    const GridValue first = table_->Cell(kCellSort, row1, state_.SortColumn);
    const GridValue second = table_->Cell(kCellSort, row2, state_.SortColumn);
    result = TableSortOrder::RowOrder(first, second, state_.SortDirection);
  } catch (...) {
    result = 0;  // rows that cannot be compared count as equal
  }
}

void InterfaceList::OnSelectionChanged() { SelectionChanged.Raise(); }

void InterfaceList::OnMouseUp(int button, int shift, float x, float y) {
  if (button == kRightButton) {
    // A context menu works on the right-clicked cell, unless the user has
    // selected a block. Outside the rows or columns the cursor stays put, so it
    // never stands on a cell that does not exist.
    const int row = table_->MouseRow();
    const int col = table_->MouseCol();
    const bool singleCell = table_->Row() == table_->RowSel() && table_->Col() == table_->ColSel();
    if ((row > 0 || col > 0) && singleCell && row >= 0 && col >= 0) {
      table_->SetRow(row);
      table_->SetCol(col);
      // The selection stays the one cell, now the clicked one, also on a grid
      // whose selection end does not follow the cursor by itself.
      table_->SetRowSel(row);
      table_->SetColSel(col);
    }
  }
  auto buttonCode = static_cast<int16_t>(button);
  auto shiftCode = static_cast<int16_t>(shift);
  MouseUp.Raise(buttonCode, shiftCode, x, y);
}

}  // namespace linkwatch
