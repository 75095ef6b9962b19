#pragma once
// Helpers for the in-memory grid tests: an event receiver that records what the
// grid raised and answers as told, and a table filled the way the control fills it.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "components/GridEvents.h"
#include "platform/grid/MemoryGrid.h"

namespace linkwatch::gridtest {

// Receives the grid's events and notes each as "Event 1,2" (a selection change as
// the cursor's and the selection end's cells, a mouse release with the cell under
// the mouse, as the grid holds them when the event comes); answers as told.
class RecordingEvents : public GridEvents {
 public:
  explicit RecordingEvents(MemoryGrid& grid) : grid_(grid) { grid.SetEvents(this); }

  std::vector<std::string> Calls;
  std::function<bool(int row, int column)> CancelEdit;  // none: every edit may start
  std::function<void(int column, int& order)> OnBeforeSort;
  std::function<int(int row1, int row2)> OnCompare;

  // How many notes begin with `start`.
  int Count(const std::string& start) const {
    return static_cast<int>(std::count_if(Calls.begin(), Calls.end(), [&](const std::string& call) {
      return call.rfind(start, 0) == 0;
    }));
  }

  void ColumnMoved(int column, int position) override {
    Note("ColumnMoved", {column, position});
  }
  void BeforeEdit(int row, int column, bool& cancel) override {
    Note("BeforeEdit", {row, column, cancel ? 1 : 0});
    cancel = CancelEdit && CancelEdit(row, column);
  }
  void AfterEdit(int row, int column) override { Note("AfterEdit", {row, column}); }
  void BeforeSort(int column, int& order) override {
    Note("BeforeSort", {column, order});
    if (OnBeforeSort) OnBeforeSort(column, order);
  }
  void Compare(int row1, int row2, int& result) override {
    if (OnCompare) result = OnCompare(row1, row2);
  }
  void SelectionChanged() override {
    Note("SelectionChanged", {grid_.Row(), grid_.Col(), grid_.RowSel(), grid_.ColSel()});
  }
  void MouseUp(int button, int shift, float, float) override {
    Note("MouseUp", {button, shift},
         " at " + std::to_string(grid_.MouseRow()) + "," + std::to_string(grid_.MouseCol()));
  }

 private:
  void Note(std::string event, const std::vector<int>& args, const std::string& more = "") {
    for (size_t i = 0; i < args.size(); ++i) event += (i ? "," : " ") + std::to_string(args[i]);
    Calls.push_back(event + more);
  }
  MemoryGrid& grid_;
};

// A table as the control lays it out: a fixed header row whose cells name the
// columns "S0", "S1", ..., then one row per key with "key/column" texts.
inline void FillTable(MemoryGrid& grid, const std::vector<std::string>& keys, int cols) {
  grid.SetRows(1);
  grid.SetCols(cols);
  grid.SetFixedRows(1);
  for (int col = 0; col < cols; ++col) {
    grid.SetColKey(col, "S" + std::to_string(col));
    grid.SetCell(kCellText, 0, col, "S" + std::to_string(col));
  }
  for (const std::string& key : keys) {
    const int row = grid.Rows();
    grid.SetRows(row + 1);
    grid.SetRowData(row, key);
    for (int col = 0; col < cols; ++col) {
      grid.SetCell(kCellText, row, col, key + "/" + std::to_string(col));
    }
  }
}

// The row data of rows 1 to the last, top to bottom.
inline std::vector<std::string> BodyKeys(const MemoryGrid& grid) {
  std::vector<std::string> keys;
  for (int row = 1; row < grid.Rows(); ++row) keys.push_back(grid.RowData(row));
  return keys;
}

// The selection's corners, normalised: first row, first column, last row, last column.
inline std::vector<int> Selection(const MemoryGrid& grid) {
  int row1, col1, row2, col2;
  grid.GetSelection(row1, col1, row2, col2);
  return {row1, col1, row2, col2};
}

// Every row with a key of its own is found again at its current position.
inline void ExpectEveryKeyFindsItsRow(const MemoryGrid& grid) {
  for (int row = 1; row < grid.Rows(); ++row) {
    const std::string key = grid.RowData(row);
    if (!key.empty()) {
      EXPECT_EQ(grid.FindRow(key), row) << "key " << key;
    }
  }
}

}  // namespace linkwatch::gridtest
