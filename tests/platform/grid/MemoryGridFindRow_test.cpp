// Finding rows by key stays right whatever moves the rows: appended rows, child
// rows inserted in the middle, sorts, column drags, hiding and re-keying.
#include "GridTestSupport.h"

namespace linkwatch {
namespace {

using gridtest::ExpectEveryKeyFindsItsRow;
using gridtest::FillTable;
using gridtest::RecordingEvents;

class GridFindRow : public ::testing::Test {
 protected:
  void SetUp() override {
    FillTable(grid, {"I:3", "I:1", "I:2"}, 3);
    grid.SetEvents(&events);
  }
  MemoryGrid grid;
  RecordingEvents events;
};

TEST_F(GridFindRow, FindsEveryRowAndNothingElse) {
  ExpectEveryKeyFindsItsRow(grid);
  EXPECT_LT(grid.FindRow("I:4"), 1);
  EXPECT_LT(grid.FindRow("i:3"), 1) << "keys are matched exactly";
  EXPECT_LT(grid.FindRow(""), 1) << "the header row has no key";
}

TEST_F(GridFindRow, FollowsRowsThroughEverythingThatMovesThem) {
  // Appended as the refresh appends a new interface.
  grid.SetRows(grid.Rows() + 1);
  grid.SetRowData(4, "I:4");
  grid.SetCell(kCellText, 4, 0, "I:4/0");
  ExpectEveryKeyFindsItsRow(grid);

  // Child rows inserted in the middle shift the rows below.
  EXPECT_EQ(grid.AddChild(1, kGridRelationChild, "", "C:3.1"), 2);
  EXPECT_EQ(grid.AddChild(1, kGridRelationChild, "", "C:3.2"), 3);
  EXPECT_EQ(grid.FindRow("I:1"), 4);
  ExpectEveryKeyFindsItsRow(grid);

  grid.SetRowHidden(4, true);
  EXPECT_EQ(grid.FindRow("I:1"), 4);

  // Sorted by text, heads only: I:1, I:2, I:3 (with its children), I:4.
  grid.ClickHeader(0);
  EXPECT_EQ(gridtest::BodyKeys(grid),
            (std::vector<std::string>{"I:1", "I:2", "I:3", "C:3.1", "C:3.2", "I:4"}));
  ExpectEveryKeyFindsItsRow(grid);
  EXPECT_TRUE(grid.RowHidden(grid.FindRow("I:1"))) << "the hidden row moved with its flag";

  grid.DragColumn(0, 2);
  ExpectEveryKeyFindsItsRow(grid);
  EXPECT_EQ(grid.CellText(grid.FindRow("I:2"), 2), "I:2/0");

  // Sorted by Compare, descending by the row's own key number.
  events.OnBeforeSort = [](int, int& order) { order = kGridSortCustom; };
  events.OnCompare = [&](int row1, int row2) {
    return grid.RowData(row2).compare(grid.RowData(row1));
  };
  grid.ClickHeader(1);
  EXPECT_EQ(gridtest::BodyKeys(grid),
            (std::vector<std::string>{"I:4", "I:3", "C:3.1", "C:3.2", "I:2", "I:1"}));
  ExpectEveryKeyFindsItsRow(grid);
}

TEST_F(GridFindRow, ReKeyingARowForgetsItsOldKey) {
  grid.SetRowData(2, "I:10");
  EXPECT_EQ(grid.FindRow("I:10"), 2);
  EXPECT_LT(grid.FindRow("I:1"), 1);
  grid.SetRowData(2, "");
  EXPECT_LT(grid.FindRow("I:10"), 1);
}

TEST_F(GridFindRow, TheFirstOfRowsSharingAKeyIsFound) {
  grid.SetRowData(3, "I:3");
  EXPECT_EQ(grid.FindRow("I:3"), 1);
  grid.SetRowData(1, "I:9");
  EXPECT_EQ(grid.FindRow("I:3"), 3) << "the other row with that key remains";
  grid.SetRowData(2, "I:3");
  grid.AddChild(1, kGridRelationChild, "", "C:9.1");
  EXPECT_EQ(grid.FindRow("I:3"), 3) << "first by current position, after the insert";
}

TEST_F(GridFindRow, StaysRightOverManyInsertsAndSorts) {
  // Interleaves appends, child inserts at varying heads and sorts, checking the
  // whole index after each step.
  for (int step = 0; step < 60; ++step) {
    const int head = grid.FindRow("I:" + std::to_string(1 + step % 3));
    grid.AddChild(head, kGridRelationChild, "", "C:" + std::to_string(step));
    if (step % 7 == 0) {
      grid.SetRows(grid.Rows() + 1);
      grid.SetRowData(grid.Rows() - 1, "I:" + std::to_string(100 + step));
    }
    if (step % 11 == 0) grid.ClickHeader(step % 3);
    ExpectEveryKeyFindsItsRow(grid);
    if (HasFailure()) FAIL() << "after step " << step;
  }
}

}  // namespace
}  // namespace linkwatch
