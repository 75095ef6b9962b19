#pragma once
// Helpers for the in-memory grid tests: an event receiver that records what the
// grid raised and answers as told, and a table filled the way the control fills it.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "components/GridEvents.h"
#include "platform/grid/MemoryGrid.h"

namespace linkwatch::gridtest {

struct Call {
  std::string Event;
  std::vector<int> Args;  // row and column style arguments, in order
  bool operator==(const Call&) const = default;
};

inline void PrintTo(const Call& call, std::ostream* out) {
  *out << call.Event << "(";
  for (size_t i = 0; i < call.Args.size(); ++i) *out << (i ? "," : "") << call.Args[i];
  *out << ")";
}

class RecordingEvents : public GridEvents {
 public:
  std::vector<Call> Calls;
  bool CancelEdits = false;
  std::function<void(int column, int& order)> OnBeforeSort;
  std::function<int(int row1, int row2)> OnCompare;
  std::function<void()> OnMouseUp;
  std::vector<float> MouseUpPoint;

  void ColumnMoved(int column, int position) override {
    Calls.push_back({"ColumnMoved", {column, position}});
  }
  void BeforeEdit(int row, int column, bool& cancel) override {
    Calls.push_back({"BeforeEdit", {row, column, cancel ? 1 : 0}});
    cancel = CancelEdits;
  }
  void AfterEdit(int row, int column) override { Calls.push_back({"AfterEdit", {row, column}}); }
  void BeforeSort(int column, int& order) override {
    Calls.push_back({"BeforeSort", {column, order}});
    if (OnBeforeSort) OnBeforeSort(column, order);
  }
  void Compare(int row1, int row2, int& result) override {
    ++Comparisons;
    if (OnCompare) result = OnCompare(row1, row2);
  }
  void SelectionChanged() override { Calls.push_back({"SelectionChanged", {}}); }
  void MouseUp(int button, int shift, float x, float y) override {
    Calls.push_back({"MouseUp", {button, shift}});
    MouseUpPoint = {x, y};
    if (OnMouseUp) OnMouseUp();
  }

  int Comparisons = 0;
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

// An empty grid of that size.
inline void Size(MemoryGrid& grid, int rows, int cols) {
  grid.SetRows(rows);
  grid.SetCols(cols);
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
