// Child rows: where AddChild puts them, their outline level and key, and what
// happens to the rows, cursor and selection around them; and finding rows by key
// as keys change (the sort tests check the index after rows move).
#include <stdexcept>

#include "GridTestSupport.h"

namespace linkwatch {
namespace {

using gridtest::BodyKeys;
using gridtest::ExpectEveryKeyFindsItsRow;
using gridtest::FillTable;

class GridOutline : public ::testing::Test {
 protected:
  void SetUp() override { FillTable(grid, {"I:1", "I:2", "I:3"}, 2); }

  int AddUnder(const std::string& parentKey, const std::string& key) {
    return grid.AddChild(grid.FindRow(parentKey), kGridRelationChild, "", key);
  }

  MemoryGrid grid;
};

TEST_F(GridOutline, ChildrenGoUnderTheirHeadInTheOrderAddedAndStayInsideTheirParentsGroup) {
  EXPECT_EQ(AddUnder("I:1", "C:1.1"), 2);
  EXPECT_EQ(AddUnder("I:3", "C:3.1"), 5) << "the last row's child is appended";
  EXPECT_EQ(AddUnder("I:1", "C:1.2"), 3);
  EXPECT_EQ(AddUnder("C:1.1", "C:1.1.a"), 3);
  EXPECT_EQ(AddUnder("C:1.1", "C:1.1.b"), 4);
  // A new child of I:1 goes after the whole group, grandchildren included.
  EXPECT_EQ(AddUnder("I:1", "C:1.3"), 6);
  EXPECT_EQ(AddUnder("C:1.2", "C:1.2.a"), 6);
  EXPECT_EQ(AddUnder("I:2", "C:2.1"), 9);
  EXPECT_EQ(BodyKeys(grid), (std::vector<std::string>{"I:1", "C:1.1", "C:1.1.a", "C:1.1.b", "C:1.2",
                                                      "C:1.2.a", "C:1.3", "I:2", "C:2.1", "I:3",
                                                      "C:3.1"}));
  for (int row = 1; row < grid.Rows(); ++row) {
    const std::string key = grid.RowData(row);
    EXPECT_EQ(grid.OutlineLevel(row), key[0] == 'I' ? 0 : (key.size() > 5 ? 2 : 1)) << key;
  }
  ExpectEveryKeyFindsItsRow(grid);
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
}

TEST_F(GridOutline, OtherRelationsAreRefused) {
  EXPECT_THROW(grid.AddChild(1, 2, "", "C:1.1"), std::invalid_argument);
  EXPECT_THROW(grid.AddChild(7, kGridRelationChild, "", "C:7.1"), std::out_of_range);
  EXPECT_EQ(grid.Rows(), 4);
  EXPECT_LT(grid.FindRow("C:1.1"), 1);
}

class GridFindRow : public ::testing::Test {
 protected:
  void SetUp() override {
    FillTable(grid, {"I:3", "I:1", "I:2"}, 3);
  }
  MemoryGrid grid;
};

TEST_F(GridFindRow, FindsTheRowWithTheKeyAsKeysChangeAndNothingElse) {
  ExpectEveryKeyFindsItsRow(grid);
  EXPECT_LT(grid.FindRow("I:4"), 1);
  EXPECT_LT(grid.FindRow("i:3"), 1) << "keys are matched exactly";
  EXPECT_LT(grid.FindRow(""), 1) << "the header row has no key";

  // Re-keying a row forgets its old key.
  grid.SetRowData(2, "I:10");
  EXPECT_EQ(grid.FindRow("I:10"), 2);
  EXPECT_LT(grid.FindRow("I:1"), 1);
  grid.SetRowData(2, "");
  EXPECT_LT(grid.FindRow("I:10"), 1);
}

}  // namespace
}  // namespace linkwatch
