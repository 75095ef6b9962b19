// The user's actions and the events they raise: column drags, edits, check box
// clicks and mouse releases, each raised once with the grid's values.
#include <stdexcept>

#include "GridTestSupport.h"

namespace linkwatch {
namespace {

using gridtest::Call;
using gridtest::FillTable;
using gridtest::RecordingEvents;
using Calls = std::vector<Call>;

class GridUser : public ::testing::Test {
 protected:
  void SetUp() override {
    FillTable(grid, {"I:1", "I:2"}, 4);
    grid.SetEvents(&events);
  }
  std::vector<std::string> ColumnKeys() const {
    std::vector<std::string> keys;
    for (int col = 0; col < grid.Cols(); ++col) keys.push_back(grid.ColKey(col));
    return keys;
  }
  MemoryGrid grid;
  RecordingEvents events;
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
  EXPECT_EQ(events.Calls, (Calls{{"ColumnMoved", {drag.From, drag.To}}}));
}

INSTANTIATE_TEST_SUITE_P(
    Moves, GridColumnDrag,
    ::testing::Values(Drag{3, 0, {"S3", "S0", "S1", "S2"}}, Drag{0, 3, {"S1", "S2", "S3", "S0"}},
                      Drag{1, 2, {"S0", "S2", "S1", "S3"}}, Drag{2, 1, {"S0", "S2", "S1", "S3"}}));

TEST_F(GridUser, DroppingAColumnWhereItWasRaisesNothing) {
  grid.DragColumn(2, 2);
  EXPECT_TRUE(events.Calls.empty());
  EXPECT_THROW(grid.DragColumn(0, 4), std::out_of_range);
  EXPECT_EQ(ColumnKeys(), (std::vector<std::string>{"S0", "S1", "S2", "S3"}));
}

TEST_F(GridUser, ACommittedEditChangesTheCellAndRaisesAfterEdit) {
  ASSERT_TRUE(grid.BeginEdit(2, 1));
  EXPECT_TRUE(grid.Editing());
  ASSERT_TRUE(grid.CommitEdit("up"));
  EXPECT_EQ(grid.CellText(2, 1), "up");
  EXPECT_EQ(events.Calls, (Calls{{"BeforeEdit", {2, 1, 0}}, {"AfterEdit", {2, 1}}}));
  EXPECT_FALSE(grid.CommitEdit("again")) << "the edit is over";
  EXPECT_EQ(events.Calls.size(), 2u);
}

TEST_F(GridUser, ACancelledEditLeavesTheCellAlone) {
  events.CancelEdits = true;
  EXPECT_FALSE(grid.BeginEdit(2, 1));
  EXPECT_FALSE(grid.CommitEdit("up"));
  EXPECT_EQ(grid.CellText(2, 1), "I:2/1");
  EXPECT_EQ(events.Calls, (Calls{{"BeforeEdit", {2, 1, 0}}}));

  // And the user's own cancel (Escape) too.
  events.CancelEdits = false;
  ASSERT_TRUE(grid.BeginEdit(2, 1));
  grid.CancelEdit();
  EXPECT_FALSE(grid.CommitEdit("up"));
  EXPECT_EQ(grid.CellText(2, 1), "I:2/1");
}

TEST_F(GridUser, HeaderCellsCannotBeEdited) {
  EXPECT_FALSE(grid.BeginEdit(0, 1));
  EXPECT_TRUE(events.Calls.empty());
}

TEST_F(GridUser, AnEditFollowsItsRowWhenRowsMoveMeanwhile) {
  ASSERT_TRUE(grid.BeginEdit(2, 3));
  grid.AddChild(1, kGridRelationChild, "", "C:1.1");  // a refresh while the user types
  ASSERT_TRUE(grid.CommitEdit("7"));
  EXPECT_EQ(grid.CellText(3, 3), "7");
  EXPECT_EQ(grid.RowData(3), "I:2");
  EXPECT_EQ(events.Calls.back(), (Call{"AfterEdit", {3, 3}}));

  // An edit whose row is dropped is over.
  ASSERT_TRUE(grid.BeginEdit(3, 3));
  grid.SetRows(3);
  EXPECT_FALSE(grid.CommitEdit("8"));
}

TEST_F(GridUser, ACheckBoxClickFlipsTheStateUnlessCancelled) {
  grid.SetCell(kCellChecked, 1, 2, int64_t{kGridChecked});
  ASSERT_TRUE(grid.ToggleCheck(1, 2));
  EXPECT_EQ(grid.Cell(kCellChecked, 1, 2), GridValue{int64_t{kGridUnchecked}});
  ASSERT_TRUE(grid.ToggleCheck(1, 2));
  EXPECT_EQ(grid.Cell(kCellChecked, 1, 2), GridValue{int64_t{kGridChecked}});
  EXPECT_EQ(events.Calls, (Calls{{"BeforeEdit", {1, 2, 0}}, {"AfterEdit", {1, 2}},
                                 {"BeforeEdit", {1, 2, 0}}, {"AfterEdit", {1, 2}}}));

  events.Calls.clear();
  events.CancelEdits = true;
  EXPECT_FALSE(grid.ToggleCheck(1, 2));
  EXPECT_EQ(grid.Cell(kCellChecked, 1, 2), GridValue{int64_t{kGridChecked}});
  EXPECT_EQ(events.Calls, (Calls{{"BeforeEdit", {1, 2, 0}}}));

  events.Calls.clear();
  EXPECT_FALSE(grid.ToggleCheck(1, 1)) << "a cell without a check box";
  EXPECT_TRUE(events.Calls.empty());
}

TEST_F(GridUser, MouseUpCarriesTheButtonAndPointAndTheCellUnderTheMouse) {
  grid.SetMousePosition(2, 3);
  std::vector<int> seen;
  events.OnMouseUp = [&] { seen = {grid.MouseRow(), grid.MouseCol()}; };
  grid.MouseUp(2, 1, 12.5f, 40.0f);
  EXPECT_EQ(events.Calls, (Calls{{"MouseUp", {2, 1}}}));
  EXPECT_EQ(events.MouseUpPoint, (std::vector<float>{12.5f, 40.0f}));
  EXPECT_EQ(seen, (std::vector<int>{2, 3}));

  grid.SetMousePosition(-1, 0);  // below the last row
  EXPECT_EQ(grid.MouseRow(), -1);
}

TEST_F(GridUser, WithoutAReceiverActionsStillWork) {
  grid.SetEvents(nullptr);
  grid.DragColumn(0, 1);
  EXPECT_EQ(grid.ColKey(1), "S0");
  ASSERT_TRUE(grid.BeginEdit(1, 0));
  ASSERT_TRUE(grid.CommitEdit("x"));
  EXPECT_EQ(grid.CellText(1, 0), "x");
  grid.ClickHeader(0);
  grid.MouseUp(1, 0, 0, 0);
  EXPECT_TRUE(events.Calls.empty());
}

}  // namespace
}  // namespace linkwatch
