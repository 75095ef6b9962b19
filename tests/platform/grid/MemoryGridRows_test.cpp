// Row and column counts: what raising and lowering them keeps, drops and clamps,
// and the clear errors for positions and counts outside the grid.
#include <stdexcept>

#include "GridTestSupport.h"

namespace linkwatch {
namespace {

using gridtest::BodyKeys;
using gridtest::FillTable;

class GridRows : public ::testing::Test {
 protected:
  void SetUp() override { FillTable(grid, {"I:1", "I:2", "I:3"}, 2); }
  MemoryGrid grid;
};

TEST_F(GridRows, RaisingTheRowCountAppendsEmptyRowsAndKeepsTheOthers) {
  grid.SetRowHidden(2, true);
  grid.SetRowOutlineLevel(3, 1);
  grid.SetCell(kCellForeColor, 1, 1, int64_t{0xFF0000});

  grid.SetRows(6);

  EXPECT_EQ(grid.Rows(), 6);
  EXPECT_EQ(BodyKeys(grid), (std::vector<std::string>{"I:1", "I:2", "I:3", "", ""}));
  EXPECT_EQ(grid.CellText(1, 0), "I:1/0");
  EXPECT_EQ(grid.Cell(kCellForeColor, 1, 1), GridValue{int64_t{0xFF0000}});
  EXPECT_TRUE(grid.RowHidden(2));
  EXPECT_EQ(grid.OutlineLevel(3), 1);
  for (int row = 4; row < 6; ++row) {
    EXPECT_EQ(grid.CellText(row, 0), "");
    EXPECT_FALSE(grid.RowHidden(row));
    EXPECT_EQ(grid.OutlineLevel(row), 0);
    EXPECT_EQ(grid.Cell(kCellSort, row, 1), GridValue{});
  }
}

TEST_F(GridRows, LoweringTheRowCountDropsRowsAtTheEndAndForgetsTheirKeys) {
  grid.Select(3, 1, 3, 1);
  grid.SetRows(2);

  EXPECT_EQ(BodyKeys(grid), (std::vector<std::string>{"I:1"}));
  EXPECT_EQ(grid.FindRow("I:1"), 1);
  EXPECT_LT(grid.FindRow("I:2"), 1);
  EXPECT_LT(grid.FindRow("I:3"), 1);
  EXPECT_EQ(grid.Row(), 1) << "the cursor stays on a row that exists";
  EXPECT_EQ(grid.RowSel(), 1);

  // Rows raised again come back empty, not with what the dropped rows held.
  grid.SetRows(4);
  EXPECT_EQ(grid.CellText(3, 0), "");
  EXPECT_EQ(grid.RowData(3), "");
}

TEST_F(GridRows, EmptyingTheGridKeepsCountsAndCursorConsistent) {
  grid.SetRows(0);
  grid.SetCols(0);
  EXPECT_EQ(grid.FixedRows(), 0) << "fixed rows cannot outnumber the rows";
  EXPECT_EQ(grid.Clip(), "");
  // Selecting everything on an empty grid (last row -1) is accepted.
  grid.SetRow(0);
  grid.SetRowSel(grid.Rows() - 1);
  grid.SetColSel(grid.Cols() - 1);
  int row1, col1, row2, col2;
  grid.GetSelection(row1, col1, row2, col2);
  EXPECT_EQ((std::vector<int>{row1, col1, row2, col2}), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(GridRows, ColumnCountChangesKeepTheRemainingCells) {
  grid.SetCols(4);
  EXPECT_EQ(grid.CellText(2, 1), "I:2/1");
  EXPECT_EQ(grid.CellText(2, 3), "");
  EXPECT_EQ(grid.ColKey(3), "");

  grid.SetCell(kCellText, 2, 3, "wide");
  grid.SetCols(1);
  grid.SetCols(4);
  EXPECT_EQ(grid.CellText(2, 0), "I:2/0");
  EXPECT_EQ(grid.CellText(2, 3), "") << "a dropped column's cells are gone";
  EXPECT_EQ(grid.ColKey(1), "");
}

TEST_F(GridRows, HiddenRowsKeepTheirIndexAndAreStillFound) {
  grid.SetRowHidden(2, true);
  grid.SetRows(grid.Rows() + 1);
  EXPECT_EQ(grid.RowData(2), "I:2");
  EXPECT_TRUE(grid.RowHidden(2));
  EXPECT_EQ(grid.FindRow("I:2"), 2);
  EXPECT_EQ(grid.FindRow("I:3"), 3);
  grid.SetRowHidden(2, false);
  EXPECT_FALSE(grid.RowHidden(2));
}

struct BadCall {
  const char* Name;
  std::function<void(MemoryGrid&)> Call;
  bool OutOfRange;  // else invalid_argument
};

class GridBadInput : public GridRows, public ::testing::WithParamInterface<BadCall> {};

TEST_P(GridBadInput, IsRefusedWithAClearErrorAndChangesNothing) {
  const std::string before = [&] {
    grid.Select(1, 0, 3, 1);
    return grid.Clip();
  }();
  const int rows = grid.Rows(), cols = grid.Cols();
  if (GetParam().OutOfRange) {
    EXPECT_THROW(GetParam().Call(grid), std::out_of_range);
  } else {
    EXPECT_THROW(GetParam().Call(grid), std::invalid_argument);
  }
  EXPECT_EQ(grid.Rows(), rows);
  EXPECT_EQ(grid.Cols(), cols);
  EXPECT_EQ(grid.Clip(), before);
  gridtest::ExpectEveryKeyFindsItsRow(grid);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, GridBadInput,
    ::testing::Values(
        BadCall{"NegativeRowCount", [](MemoryGrid& g) { g.SetRows(-1); }, true},
        BadCall{"HugeRowCount", [](MemoryGrid& g) { g.SetRows(MemoryGrid::kMaxRows + 1); }, true},
        BadCall{"NegativeColumnCount", [](MemoryGrid& g) { g.SetCols(-2); }, true},
        BadCall{"MoreFixedRowsThanRows", [](MemoryGrid& g) { g.SetFixedRows(5); }, true},
        BadCall{"CellBelowTheLastRow", [](MemoryGrid& g) { g.SetCell(kCellText, 4, 0, "x"); }, true},
        BadCall{"CellLeftOfColumnZero", [](MemoryGrid& g) { g.SetCell(kCellText, 1, -1, "x"); }, true},
        BadCall{"ReadOutsideTheGrid", [](MemoryGrid& g) { g.Cell(kCellText, 1, 2); }, true},
        BadCall{"RowDataOfMissingRow", [](MemoryGrid& g) { g.SetRowData(9, "I:9"); }, true},
        BadCall{"CursorOnMissingRow", [](MemoryGrid& g) { g.SetRow(4); }, true},
        BadCall{"CursorAboveTheHeader", [](MemoryGrid& g) { g.SetRow(-1); }, true},
        BadCall{"SelectionEndOnMissingColumn", [](MemoryGrid& g) { g.SetColSel(2); }, true},
        BadCall{"MouseOutsideTheColumns", [](MemoryGrid& g) { g.SetMousePosition(1, 7); }, true},
        BadCall{"AutoSizeBeyondTheColumns", [](MemoryGrid& g) { g.AutoSize(0, 2); }, true},
        BadCall{"NegativeOutlineLevel", [](MemoryGrid& g) { g.SetRowOutlineLevel(1, -1); }, true},
        BadCall{"UnknownCellAttribute", [](MemoryGrid& g) { g.SetCell(1, 1, 0, "x"); }, false},
        BadCall{"UnknownRepaintCode", [](MemoryGrid& g) { g.SetRedraw(7); }, false},
        BadCall{"NegativeRowHeight", [](MemoryGrid& g) { g.SetRowHeight(1, -5); }, false},
        BadCall{"NegativePlacement", [](MemoryGrid& g) { g.Move(0, 0, -1, 10); }, false}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace linkwatch
