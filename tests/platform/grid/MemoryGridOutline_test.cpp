// Child rows: where AddChild puts them, their outline level and key, and what
// happens to the rows, cursor and selection around them.
#include <stdexcept>

#include "GridTestSupport.h"

namespace linkwatch {
namespace {

using gridtest::BodyKeys;
using gridtest::FillTable;

class GridOutline : public ::testing::Test {
 protected:
  void SetUp() override { FillTable(grid, {"I:1", "I:2", "I:3"}, 2); }

  int AddUnder(const std::string& parentKey, const std::string& key) {
    return grid.AddChild(grid.FindRow(parentKey), kGridRelationChild, "", key);
  }

  MemoryGrid grid;
};

TEST_F(GridOutline, ChildrenGoUnderTheirHeadInTheOrderAdded) {
  EXPECT_EQ(AddUnder("I:1", "C:1.1"), 2);
  EXPECT_EQ(AddUnder("I:3", "C:3.1"), 5) << "the last row's child is appended";
  EXPECT_EQ(AddUnder("I:1", "C:1.2"), 3);
  EXPECT_EQ(AddUnder("I:2", "C:2.1"), 5);
  EXPECT_EQ(BodyKeys(grid), (std::vector<std::string>{"I:1", "C:1.1", "C:1.2", "I:2", "C:2.1",
                                                      "I:3", "C:3.1"}));
  for (int row = 1; row < grid.Rows(); ++row) {
    const bool child = grid.RowData(row).rfind("C:", 0) == 0;
    EXPECT_EQ(grid.OutlineLevel(row), child ? 1 : 0) << grid.RowData(row);
  }
}

TEST_F(GridOutline, NestedChildrenStayInsideTheirParentsGroup) {
  AddUnder("I:1", "C:1.1");
  AddUnder("I:1", "C:1.2");
  EXPECT_EQ(AddUnder("C:1.1", "C:1.1.a"), 3);
  EXPECT_EQ(grid.OutlineLevel(3), 2);
  EXPECT_EQ(AddUnder("C:1.1", "C:1.1.b"), 4);
  // A new child of I:1 goes after the whole group, grandchildren included.
  EXPECT_EQ(AddUnder("I:1", "C:1.3"), 6);
  EXPECT_EQ(AddUnder("C:1.2", "C:1.2.a"), 6);
  EXPECT_EQ(BodyKeys(grid), (std::vector<std::string>{"I:1", "C:1.1", "C:1.1.a", "C:1.1.b", "C:1.2",
                                                      "C:1.2.a", "C:1.3", "I:2", "I:3"}));
  gridtest::ExpectEveryKeyFindsItsRow(grid);
}

TEST_F(GridOutline, ANewChildRowIsEmptyApartFromItsKey) {
  grid.SetIsSubtotal(1, true);
  const int row = AddUnder("I:1", "C:1.1");
  EXPECT_EQ(grid.RowData(row), "C:1.1");
  EXPECT_EQ(grid.CellText(row, 0), "");
  EXPECT_EQ(grid.Cell(kCellForeColor, row, 1), GridValue{});
  EXPECT_FALSE(grid.IsSubtotal(row));
  EXPECT_FALSE(grid.RowHidden(row));
  EXPECT_TRUE(grid.IsSubtotal(1)) << "the head keeps its mark";
  // A text given with the node lands in the first column.
  const int named = grid.AddChild(1, kGridRelationChild, "client", "C:1.2");
  EXPECT_EQ(grid.CellText(named, 0), "client");
}

TEST_F(GridOutline, CursorAndSelectionStayOnTheirRowsWhenChildrenAreInserted) {
  grid.Select(1, 0, 3, 1);  // I:1 to I:3
  AddUnder("I:1", "C:1.1");
  EXPECT_EQ(grid.RowData(grid.Row()), "I:1");
  EXPECT_EQ(grid.RowData(grid.RowSel()), "I:3");

  grid.Select(3, 1, 3, 1);  // I:2
  AddUnder("I:1", "C:1.2");
  EXPECT_EQ(grid.RowData(grid.Row()), "I:2");
}

TEST_F(GridOutline, OtherRelationsAreRefused) {
  EXPECT_THROW(grid.AddChild(1, 2, "", "C:1.1"), std::invalid_argument);
  EXPECT_THROW(grid.AddChild(7, kGridRelationChild, "", "C:7.1"), std::out_of_range);
  EXPECT_EQ(grid.Rows(), 4);
  EXPECT_LT(grid.FindRow("C:1.1"), 1);
}

}  // namespace
}  // namespace linkwatch
