// The user's actions and the events they raise: column drags, edits, check box
// clicks and selections, each raised once with the grid's values;
// and the selection's text and corners.
#include <stdexcept>

#include "GridTestSupport.h"

namespace linkwatch {
namespace {

using gridtest::FillTable;
using gridtest::RecordingEvents;
using Calls = std::vector<std::string>;

class GridUser : public ::testing::Test {
 protected:
  void SetUp() override {
    FillTable(grid, {"I:1", "I:2"}, 4);
  }
  std::vector<std::string> ColumnKeys() const {
    std::vector<std::string> keys;
    for (int col = 0; col < grid.Cols(); ++col) keys.push_back(grid.ColKey(col));
    return keys;
  }
  MemoryGrid grid;
  RecordingEvents events{grid};
};

struct Drag {
  int From, To;
  std::vector<std::string> KeysAfter;
};

class GridColumnDrag : public GridUser, public ::testing::WithParamInterface<Drag> {};

TEST_P(GridColumnDrag, CarriesKeyCellsAndSettingsAndRaisesColumnMovedOnce) {
  const Drag drag = GetParam();
  const std::string key = grid.ColKey(drag.From);
  grid.SetColSetting(drag.From, 1);
  grid.SetColWidth(drag.From, 42);
  grid.SetCell(kCellBackColor, 2, drag.From, int64_t{0xF0F0F0});

  grid.DragColumn(drag.From, drag.To);

  EXPECT_EQ(ColumnKeys(), drag.KeysAfter);
  EXPECT_EQ(grid.ColKey(drag.To), key);
  EXPECT_EQ(grid.CellText(0, drag.To), key);
  EXPECT_EQ(grid.CellText(2, drag.To), "I:2/" + key.substr(1));
  EXPECT_EQ(grid.Cell(kCellBackColor, 2, drag.To), GridValue{int64_t{0xF0F0F0}});
  EXPECT_EQ(grid.ColSetting(drag.To), 1);
  EXPECT_EQ(grid.ColWidth(drag.To), 42);
  for (int col = 0; col < grid.Cols(); ++col) {
    EXPECT_EQ(grid.CellText(1, col), "I:1/" + grid.ColKey(col).substr(1)) << "column " << col;
  }
  EXPECT_EQ(events.Calls,
            (Calls{"ColumnMoved " + std::to_string(drag.From) + "," + std::to_string(drag.To)}));
}

INSTANTIATE_TEST_SUITE_P(
    Moves, GridColumnDrag,
    ::testing::Values(Drag{3, 0, {"S3", "S0", "S1", "S2"}}, Drag{0, 3, {"S1", "S2", "S3", "S0"}}));

TEST_F(GridUser, AnEditIsCommittedOnceUnlessTheOwnerOrTheUserCancelsIt) {
  EXPECT_FALSE(grid.BeginEdit(0, 1)) << "header cells cannot be edited";
  EXPECT_TRUE(events.Calls.empty());

  ASSERT_TRUE(grid.BeginEdit(2, 1));
  EXPECT_TRUE(grid.Editing());
  ASSERT_TRUE(grid.CommitEdit("up"));
  EXPECT_EQ(grid.CellText(2, 1), "up");
  EXPECT_EQ(events.Calls, (Calls{"BeforeEdit 2,1,0", "AfterEdit 2,1"}));
  EXPECT_FALSE(grid.CommitEdit("again")) << "the edit is over";

  // The user's own cancel (Escape), then the owner's.
  ASSERT_TRUE(grid.BeginEdit(2, 2));
  grid.CancelEdit();
  EXPECT_FALSE(grid.CommitEdit("up"));
  events.CancelEdit = [](int, int) { return true; };
  events.Calls.clear();
  EXPECT_FALSE(grid.BeginEdit(2, 2));
  EXPECT_FALSE(grid.CommitEdit("up"));
  EXPECT_EQ(grid.CellText(2, 2), "I:2/2");
  EXPECT_EQ(events.Calls, (Calls{"BeforeEdit 2,2,0"}));
}

TEST_F(GridUser, AnEditFollowsItsRowWhenRowsMoveMeanwhile) {
  ASSERT_TRUE(grid.BeginEdit(2, 3));
  grid.AddChild(1, kGridRelationChild, "", "C:1.1");  // a refresh while the user types
  ASSERT_TRUE(grid.CommitEdit("7"));
  EXPECT_EQ(grid.CellText(3, 3), "7");
  EXPECT_EQ(grid.RowData(3), "I:2");
  EXPECT_EQ(events.Calls.back(), "AfterEdit 3,3");

  // An edit whose row is dropped is over.
  ASSERT_TRUE(grid.BeginEdit(3, 3));
  grid.SetRows(3);
  EXPECT_FALSE(grid.CommitEdit("8"));
}

TEST_F(GridUser, ACheckBoxClickFlipsTheStateUnlessCancelled) {
  grid.SetCell(kCellChecked, 1, 2, int64_t{kGridChecked});
  ASSERT_TRUE(grid.ToggleCheck(1, 2));
  EXPECT_EQ(grid.Cell(kCellChecked, 1, 2), GridValue{int64_t{kGridUnchecked}});
  EXPECT_EQ(events.Calls, (Calls{"BeforeEdit 1,2,0", "AfterEdit 1,2"}));

  events.Calls.clear();
  events.CancelEdit = [](int, int) { return true; };
  EXPECT_FALSE(grid.ToggleCheck(1, 2));
  EXPECT_EQ(grid.Cell(kCellChecked, 1, 2), GridValue{int64_t{kGridUnchecked}});
  EXPECT_EQ(events.Calls, (Calls{"BeforeEdit 1,2,0"}));

  events.Calls.clear();
  EXPECT_FALSE(grid.ToggleCheck(1, 1)) << "a cell without a check box";
  EXPECT_TRUE(events.Calls.empty());
}

class GridSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    FillTable(grid, {"I:1", "I:2", "I:3"}, 3);
  }
  MemoryGrid grid;
  RecordingEvents events{grid};
};

TEST_F(GridSelection, TextSeparatesCellsByTabsAndRowsByCarriageReturnsAndSkipsHiddenRows) {
  grid.Select(0, 0, grid.Rows() - 1, grid.Cols() - 1);
  EXPECT_EQ(grid.Clip(),
            "S0\tS1\tS2\rI:1/0\tI:1/1\tI:1/2\rI:2/0\tI:2/1\tI:2/2\rI:3/0\tI:3/1\tI:3/2");
  // A block selected from any corner: its corners are normalised, the cursor
  // stays where the selection started.
  const std::vector<int> ways[] = {{2, 1, 3, 2}, {3, 2, 2, 1}};
  for (const std::vector<int>& made : ways) {
    grid.Select(made[0], made[1], made[2], made[3]);
    EXPECT_EQ(gridtest::Selection(grid), (std::vector<int>{2, 1, 3, 2}));
    EXPECT_EQ(grid.Clip(), "I:2/1\tI:2/2\rI:3/1\tI:3/2");
    EXPECT_EQ((std::vector<int>{grid.Row(), grid.Col()}), (std::vector<int>{made[0], made[1]}));
  }

  // Hidden rows are left out, empty cells show as nothing.
  grid.SetRowHidden(2, true);
  grid.SetRows(5);
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
    int firstRow;  // the block starts here, column 0 only, down to the last row
    std::string text;
  };
  const Case cases[] = {
      {"head collapsed", {"I:1"}, 1, "I:1/0\rI:2/0\rI:3/0"},
      {"block starts inside the collapsed group", {"I:1"}, 3, "I:2/0\rI:3/0"},
      {"inner head collapsed", {"C:1.1"}, 1, "I:1/0\rC:1.1\rC:1.2\rI:2/0\rI:3/0"},
  };
  for (const Case& c : cases) {
    for (int row = 1; row < grid.Rows(); ++row) grid.SetRowCollapsed(row, false);
    for (const std::string& key : c.collapsed) grid.SetRowCollapsed(grid.FindRow(key), true);
    grid.Select(c.firstRow, 0, grid.Rows() - 1, 0);
    EXPECT_EQ(grid.Clip(), c.text) << c.what;
  }
}

TEST_F(GridSelection, OnlyTheUsersSelectionsRaiseSelectionChangedOnce) {
  // What SelectAll does raises nothing.
  grid.SetRow(0);
  grid.SetCol(0);
  grid.SetRowSel(grid.Rows() - 1);
  grid.SetColSel(grid.Cols() - 1);
  EXPECT_TRUE(events.Calls.empty());
  EXPECT_EQ(gridtest::Selection(grid), (std::vector<int>{0, 0, 3, 2}));

  grid.Select(1, 0, 2, 2);
  EXPECT_EQ(events.Calls, (Calls{"SelectionChanged 1,0,2,2"}));
  grid.Select(1, 0, 2, 2);
  EXPECT_EQ(events.Calls.size(), 1u) << "the same block again changes nothing";
  grid.SetCursor(3, 1);
  EXPECT_EQ(events.Calls.back(), "SelectionChanged 3,1,3,1");
}

}  // namespace
}  // namespace linkwatch
