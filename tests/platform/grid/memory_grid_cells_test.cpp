// Cells and their attributes, row and column counts, repaint suspension, and the
// clear errors for values, positions and counts outside the grid.
#include <stdexcept>

#include "GridTestSupport.h"
#include "fakes/FakeDeviceCatalog.h"

namespace linkwatch {
namespace {

using gridtest::BodyKeys;
using gridtest::FillTable;

TEST(GridCells, AttributesReadBackAsSetAndNeverSetIsNoValue) {
  struct Attribute {
    const char* name;
    int code;
    GridValue value;
  };
  // Values a careless store would take for "no value" among them.
  const Attribute attributes[] = {
      {"Picture", kCellPicture, fakes::MakeFakePicture("icon")},
      {"CheckedClear", kCellChecked, int64_t{kGridUnchecked}},
      {"BlackForeColor", kCellForeColor, int64_t{0}},
      {"NotBold", kCellFontBold, false},
      {"SortReal", kCellSort, 45123.25}};
  MemoryGrid grid;
  grid.SetRows(3);
  grid.SetCols(2);
  // Never set, text reads as empty and everything else as no value.
  EXPECT_EQ(grid.Cell(kCellText, 1, 0), GridValue{std::string()});
  for (const Attribute& attribute : attributes) {
    SCOPED_TRACE(attribute.name);
    if (attribute.code != kCellText) { EXPECT_EQ(grid.Cell(attribute.code, 1, 1), GridValue{}); }
    const GridValue unset = grid.Cell(attribute.code, 1, 1);
    grid.SetCell(attribute.code, 1, 1, attribute.value);
    EXPECT_EQ(grid.Cell(attribute.code, 1, 1), attribute.value);
    EXPECT_EQ(grid.Cell(attribute.code, 1, 0), unset) << "the neighbour is untouched";
  }
}

// Without a text measure a column fits its widest cell in characters: the widest
// line, code points rather than UTF-8 bytes, and 2 more for a check box or picture.
TEST(GridCells, AutoSizeFitsEachColumnToItsWidestCell) {
  struct Column {
    const char* top;
    const char* bottom;
    int extra;  // 1: check box in the top cell, 2: picture
    int width;
  };
  const Column columns[] = {{"abc", "abcdefgh", 0, 8},     {"ab\r\nabcdef\nx", "", 0, 6},
                            {"gr\xC3\xB6\xC3\x9F" "e", "", 0, 5}, {"ok", "", 1, 4},
                            {"pic", "", 2, 5},               {"", "", 0, 0}};
  MemoryGrid grid;
  grid.SetRows(2);
  grid.SetCols(static_cast<int>(std::size(columns)));
  for (int col = 0; col < grid.Cols(); ++col) {
    const Column& column = columns[col];
    grid.SetCell(kCellText, 0, col, std::string(column.top));
    grid.SetCell(kCellText, 1, col, std::string(column.bottom));
    if (column.extra == 1) grid.SetCell(kCellChecked, 0, col, int64_t{kGridChecked});
    if (column.extra == 2) grid.SetCell(kCellPicture, 0, col, fakes::MakeFakePicture("icon"));
  }
  grid.AutoSize(0, grid.Cols() - 1);
  for (int col = 0; col < grid.Cols(); ++col) EXPECT_EQ(grid.ColWidth(col), columns[col].width) << col;
}

TEST(GridSettings, RepaintSuspensionsNest) {
  MemoryGrid grid;
  EXPECT_FALSE(grid.RedrawSuspended());
  for (int code : {kGridRedrawSuspend, kGridRedrawSuspend, kGridRedrawResume}) grid.SetRedraw(code);
  EXPECT_TRUE(grid.RedrawSuspended()) << "until each suspension is resumed";
  grid.SetRedraw(kGridRedrawResume);
  EXPECT_FALSE(grid.RedrawSuspended());
  grid.SetRedraw(kGridRedrawResume);
  EXPECT_EQ(grid.RedrawSuspendCount(), 0) << "an extra resume does not go below zero";
}

class GridRows : public ::testing::Test {
 protected:
  void SetUp() override { FillTable(grid, {"I:1", "I:2", "I:3"}, 2); }
  MemoryGrid grid;
};

TEST_F(GridRows, CountChangesKeepTheRemainingRowsAndColumnsAndForgetTheDroppedOnes) {
  grid.SetRowHidden(2, true);
  grid.SetRowOutlineLevel(3, 1);
  grid.SetCell(kCellForeColor, 1, 1, int64_t{0xFF0000});
  grid.Select(3, 1, 3, 1);
  grid.SetRows(6);
  EXPECT_EQ(BodyKeys(grid), (std::vector<std::string>{"I:1", "I:2", "I:3", "", ""}));
  EXPECT_EQ(grid.Cell(kCellForeColor, 1, 1), GridValue{int64_t{0xFF0000}});
  EXPECT_TRUE(grid.RowHidden(2));
  EXPECT_EQ(grid.OutlineLevel(3), 1);

  grid.SetRows(2);
  EXPECT_EQ(BodyKeys(grid), (std::vector<std::string>{"I:1"}));
  EXPECT_LT(grid.FindRow("I:3"), 1);
  EXPECT_EQ(grid.Row(), 1) << "the cursor stays on a row that exists";
  EXPECT_EQ(grid.RowSel(), 1);
  // Rows raised again come back empty, not with what the dropped rows held.
  grid.SetRows(4);
  for (int row = 2; row < 4; ++row) {
    EXPECT_EQ(grid.RowData(row), "");
    EXPECT_FALSE(grid.RowHidden(row));
    EXPECT_EQ(grid.OutlineLevel(row), 0);
  }

  // Columns likewise.
  grid.SetCols(4);
  EXPECT_EQ(grid.CellText(1, 1), "I:1/1");
  EXPECT_EQ(grid.ColKey(3), "");
  grid.SetCell(kCellText, 1, 3, "wide");
  grid.SetCols(1);
  grid.SetCols(4);
  EXPECT_EQ(grid.CellText(1, 3), "") << "a dropped column's cells are gone";

  // Emptied, the grid keeps its counts and cursor consistent.
  grid.SetRows(0);
  grid.SetCols(0);
  EXPECT_EQ(grid.FixedRows(), 0) << "fixed rows cannot outnumber the rows";
  EXPECT_EQ(grid.Clip(), "");
  // Selecting everything on an empty grid (last row -1) is accepted.
  grid.SetRow(0);
  grid.SetRowSel(grid.Rows() - 1);
  grid.SetColSel(grid.Cols() - 1);
  EXPECT_EQ(gridtest::Selection(grid), (std::vector<int>{0, 0, 0, 0}));
}

// Wrong values, positions and counts: a clear error, and the grid as it was.
TEST_F(GridRows, BadCallsAreRefusedWithAClearErrorAndChangeNothing) {
  struct BadCall {
    const char* name;
    std::function<void(MemoryGrid&)> call;
    bool outOfRange;  // else invalid_argument
  };
  auto set = [](int code, GridValue value) {
    return [code, value](MemoryGrid& g) { g.SetCell(code, 1, 1, value); };
  };
  const BadCall calls[] = {
      {"TextFromPicture", set(kCellText, fakes::MakeFakePicture("icon")), false},
      {"ColorBeyond32Bits", set(kCellBackColor, int64_t{0x100000000}), true},
      {"FractionalCheckState", set(kCellChecked, 1.5), false},
      {"PictureFromNumber", set(kCellPicture, int64_t{3}), false},
      {"BoldFromText", set(kCellFontBold, std::string("yes")), false},
      {"UnknownCellAttribute", set(99, int64_t{1}), false},
      {"HugeRowCount", [](MemoryGrid& g) { g.SetRows(MemoryGrid::kMaxRows + 1); }, true},
      {"MoreFixedRowsThanRows", [](MemoryGrid& g) { g.SetFixedRows(5); }, true},
      {"CellBelowTheLastRow", [](MemoryGrid& g) { g.SetCell(kCellText, 4, 0, "x"); }, true},
      {"CursorOnMissingRow", [](MemoryGrid& g) { g.SetRow(4); }, true},
      {"MouseOutsideTheColumns", [](MemoryGrid& g) { g.SetMousePosition(1, 7); }, true},
      {"NegativeOutlineLevel", [](MemoryGrid& g) { g.SetRowOutlineLevel(1, -1); }, true},
      {"UnknownRepaintCode", [](MemoryGrid& g) { g.SetRedraw(7); }, false},
      {"NegativeRowHeight", [](MemoryGrid& g) { g.SetRowHeight(1, -5); }, false},
      {"NegativePlacement", [](MemoryGrid& g) { g.Move(0, 0, -1, 10); }, false}};
  grid.SetCell(kCellBackColor, 1, 1, int64_t{0x123456});
  grid.SetCell(kCellChecked, 1, 1, int64_t{kGridChecked});
  grid.Select(1, 0, 3, 1);
  auto state = [&] {
    std::vector<GridValue> values{GridValue{grid.Clip()}};
    for (int code : {kCellBackColor, kCellChecked, kCellPicture, kCellFontBold}) {
      values.push_back(grid.Cell(code, 1, 1));
    }
    return values;
  };
  const auto before = state();
  for (const BadCall& bad : calls) {
    SCOPED_TRACE(bad.name);
    if (bad.outOfRange) {
      EXPECT_THROW(bad.call(grid), std::out_of_range);
    } else {
      EXPECT_THROW(bad.call(grid), std::invalid_argument);
    }
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.Cols(), 2);
    EXPECT_EQ(state(), before);
    gridtest::ExpectEveryKeyFindsItsRow(grid);
  }
}

}  // namespace
}  // namespace linkwatch
