// The selection: its text, its corners whichever way it was made, and which
// changes tell the owner.
#include "GridTestSupport.h"

namespace linkwatch {
namespace {

using gridtest::Call;
using gridtest::FillTable;
using gridtest::RecordingEvents;

class GridSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    FillTable(grid, {"I:1", "I:2", "I:3"}, 3);
    grid.SetEvents(&events);
  }
  MemoryGrid grid;
  RecordingEvents events;
};

TEST_F(GridSelection, TextSeparatesCellsByTabsAndRowsByCarriageReturns) {
  grid.Select(0, 0, grid.Rows() - 1, grid.Cols() - 1);
  EXPECT_EQ(grid.Clip(),
            "S0\tS1\tS2\r"
            "I:1/0\tI:1/1\tI:1/2\r"
            "I:2/0\tI:2/1\tI:2/2\r"
            "I:3/0\tI:3/1\tI:3/2");

  grid.Select(2, 1, 3, 2);
  EXPECT_EQ(grid.Clip(), "I:2/1\tI:2/2\rI:3/1\tI:3/2");
  grid.Select(2, 1, 2, 1);
  EXPECT_EQ(grid.Clip(), "I:2/1");
}

TEST_F(GridSelection, TextLeavesHiddenRowsOutAndShowsEmptyCellsAsNothing) {
  grid.SetRowHidden(2, true);
  grid.SetRows(5);  // row 4 has no cells yet
  grid.SetCell(kCellText, 3, 1, "two\nlines");
  grid.Select(1, 0, 4, 1);
  EXPECT_EQ(grid.Clip(), "I:1/0\tI:1/1\rI:3/0\ttwo\nlines\r\t");
}

TEST_F(GridSelection, TextLeavesOutTheRowsOfACollapsedGroupAsItLeavesOutHiddenRows) {
  // One rule for what the user cannot see: two child rows under I:1, a grandchild.
  const int child = grid.AddChild(1, kGridRelationChild, "", "C:1.1");
  grid.AddChild(child, kGridRelationChild, "", "C:1.1.a");
  grid.AddChild(1, kGridRelationChild, "", "C:1.2");
  for (const char* key : {"C:1.1", "C:1.1.a", "C:1.2"}) {
    grid.SetCell(kCellText, grid.FindRow(key), 0, std::string(key));
  }
  struct Case {
    const char* what;
    std::vector<std::string> collapsed;
    std::vector<std::string> hidden;
    int firstRow;  // the block starts here, column 0 only, down to the last row
    std::string text;
  };
  const Case cases[] = {
      {"all shown", {}, {}, 1, "I:1/0\rC:1.1\rC:1.1.a\rC:1.2\rI:2/0\rI:3/0"},
      {"head collapsed", {"I:1"}, {}, 1, "I:1/0\rI:2/0\rI:3/0"},
      {"block starts inside the collapsed group", {"I:1"}, {}, 3, "I:2/0\rI:3/0"},
      {"inner head collapsed", {"C:1.1"}, {}, 1, "I:1/0\rC:1.1\rC:1.2\rI:2/0\rI:3/0"},
      {"hidden and collapsed", {"C:1.1"}, {"I:2"}, 1, "I:1/0\rC:1.1\rC:1.2\rI:3/0"},
  };
  for (const Case& c : cases) {
    for (int row = 1; row < grid.Rows(); ++row) {
      grid.SetRowCollapsed(row, false);
      grid.SetRowHidden(row, false);
    }
    for (const std::string& key : c.collapsed) grid.SetRowCollapsed(grid.FindRow(key), true);
    for (const std::string& key : c.hidden) grid.SetRowHidden(grid.FindRow(key), true);
    grid.Select(c.firstRow, 0, grid.Rows() - 1, 0);
    EXPECT_EQ(grid.Clip(), c.text) << c.what;
  }
}

struct Corners {
  int Row1, Col1, Row2, Col2;
};

class GridSelectionCorners : public GridSelection, public ::testing::WithParamInterface<Corners> {};

TEST_P(GridSelectionCorners, AreNormalisedWhicheverWayTheBlockWasSelected) {
  const Corners made = GetParam();
  grid.Select(made.Row1, made.Col1, made.Row2, made.Col2);
  int row1, col1, row2, col2;
  grid.GetSelection(row1, col1, row2, col2);
  EXPECT_EQ((std::vector<int>{row1, col1, row2, col2}), (std::vector<int>{1, 0, 3, 2}));
  EXPECT_EQ(grid.Clip(), "I:1/0\tI:1/1\tI:1/2\rI:2/0\tI:2/1\tI:2/2\rI:3/0\tI:3/1\tI:3/2");
  // The cursor stays where the selection started.
  EXPECT_EQ(grid.Row(), made.Row1);
  EXPECT_EQ(grid.Col(), made.Col1);
}

INSTANTIATE_TEST_SUITE_P(Directions, GridSelectionCorners,
                         ::testing::Values(Corners{1, 0, 3, 2}, Corners{3, 2, 1, 0},
                                           Corners{3, 0, 1, 2}, Corners{1, 2, 3, 0}));

TEST_F(GridSelection, UserSelectionsRaiseSelectionChangedOnce) {
  grid.Select(1, 0, 2, 2);
  EXPECT_EQ(events.Calls, (std::vector<Call>{{"SelectionChanged", {}}}));
  grid.Select(1, 0, 2, 2);
  EXPECT_EQ(events.Calls.size(), 1u) << "the same block again changes nothing";
  grid.SetCursor(3, 1);
  EXPECT_EQ(events.Calls.size(), 2u);
  EXPECT_EQ((std::vector<int>{grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}),
            (std::vector<int>{3, 1, 3, 1}));
}

TEST_F(GridSelection, TheControlsOwnSelectionChangesRaiseNothing) {
  // What SelectAll does.
  grid.SetRow(0);
  grid.SetCol(0);
  grid.SetRowSel(grid.Rows() - 1);
  grid.SetColSel(grid.Cols() - 1);
  EXPECT_TRUE(events.Calls.empty());
  int row1, col1, row2, col2;
  grid.GetSelection(row1, col1, row2, col2);
  EXPECT_EQ((std::vector<int>{row1, col1, row2, col2}), (std::vector<int>{0, 0, 3, 2}));
}

}  // namespace
}  // namespace linkwatch
