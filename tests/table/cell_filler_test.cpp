// How one statistic looks in one cell, case by case, on the real in-memory grid.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fakes/ControlFixture.h"
#include "statistics/Statistics.h"
#include "table/CellFiller.h"

namespace linkwatch {
namespace {

using testing_control::PictureName;
using testing_control::ControlTestPlatform;

constexpr int64_t kOldFore = 0x123456;
constexpr int64_t kOldBack = 0x654321;

struct FillCase {
  const char* label;
  const char* statName;
  const char* value;
  bool fails;  // Fill stops with an error part-way
  GridValue text;
  GridValue fore;
  GridValue back;
  std::string picture;
  GridValue alignment;
  GridValue checked;
  GridValue sort;
};

GridValue Text(const char* text) { return GridValue{std::string(text)}; }
GridValue Color(int64_t color) { return GridValue{color}; }

const std::vector<FillCase>& FillCases() {
  static const std::vector<FillCase> cases = {
      {"ReadOnlyText", "Interface Name", "eth1", false, Text("eth1"), Color(0), Color(kOldBack),
       "", {}, {}, GridValue{0.0}},
      {"WritableText", "Alias", "12 rack", false, Text("12 rack"), Color(0xFF0000),
       Color(0xF0F0F0), "", {}, {}, GridValue{12.0}},
      {"Icon", "Interface Status Icon", "2", false, Text("old"), Color(kOldFore), Color(kOldBack),
       "status-2", GridValue{int64_t{4}}, {}, Text("Down")},
      {"CheckBoxSet", "Admin Status", "1", false, Text("old"), Color(kOldFore), Color(kOldBack), "",
       GridValue{int64_t{4}}, GridValue{int64_t{1}}, Text("Up")},
      {"CheckBoxClear", "Admin Status", "2", false, Text("old"), Color(kOldFore), Color(kOldBack),
       "", GridValue{int64_t{4}}, GridValue{int64_t{2}}, Text("Down")},
      {"Baselining", "TRAFFIC IN", "5000", false, Text("baselining ..."), Color(0x808080),
       Color(kOldBack), "", {}, {}, GridValue{-10000.0}},
      // A definition without a MIB object fails at the access test after the text is set.
      {"NoMibObject", "Note", "7 notes", true, Text("7 notes"), Color(kOldFore), Color(kOldBack),
       "", {}, {}, GridValue{7.0}},
  };
  return cases;
}

// A grid of a header row and one row of two cells, filled by CellFiller.
class CellFillerTest : public ::testing::Test {
 protected:
  CellFillerTest() : grid(&platform_.Platform().Measure()) {
    grid.SetRows(2);
    grid.SetCols(2);
  }
  void Fill(const char* statName, const char* value, int col = 0) {
    statistics.SetStatistic(nullptr, "", statName, value, "");
    CellFiller(grid, platform_.Platform().Measure()).Fill(*statistics.Item(statName), 1, col);
  }

  ControlTestPlatform platform_;
  MemoryGrid grid;
  Statistics statistics;
};

class FillCellTest : public CellFillerTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(FillCellTest, ShowsTheStatistic) {
  const FillCase& c = GetParam();
  grid.SetCell(kCellText, 1, 0, std::string("old"));
  grid.SetCell(kCellForeColor, 1, 0, kOldFore);
  grid.SetCell(kCellBackColor, 1, 0, kOldBack);
  if (c.fails) {
    EXPECT_ANY_THROW(Fill(c.statName, c.value));
  } else {
    EXPECT_NO_THROW(Fill(c.statName, c.value));
  }
  EXPECT_EQ(grid.Cell(kCellText, 1, 0), c.text);
  EXPECT_EQ(grid.Cell(kCellForeColor, 1, 0), c.fore);
  EXPECT_EQ(grid.Cell(kCellBackColor, 1, 0), c.back);
  EXPECT_EQ(PictureName(grid.Cell(kCellPicture, 1, 0)), c.picture);
  EXPECT_EQ(grid.Cell(kCellPictureAlignment, 1, 0), c.alignment);
  EXPECT_EQ(grid.Cell(kCellChecked, 1, 0), c.checked);
  EXPECT_EQ(grid.Cell(kCellSort, 1, 0), c.sort);
  EXPECT_EQ(grid.RowHeight(1), GridRow::kDefaultHeight);
}

INSTANTIATE_TEST_SUITE_P(Cases, FillCellTest, ::testing::ValuesIn(FillCases()),
                         [](const auto& info) { return std::string(info.param.label); });

// n lines make the row n heights of "X" tall; a closing line feed ends a line.
TEST_F(CellFillerTest, ALaterValueOfOneLineKeepsTheRowHeightAndTwoLinesSetIt) {
  Fill("Interface Name", "ends in a line feed\n");
  EXPECT_EQ(grid.RowHeight(1), 26);
  Fill("Interface Name", "a\nb\nc");
  EXPECT_EQ(grid.RowHeight(1), 39);
  Fill("Interface Name", "a");
  EXPECT_EQ(grid.RowHeight(1), 39);
  Fill("Interface Name", "a\nb", 1);
  EXPECT_EQ(grid.RowHeight(1), 26) << "two lines in another column set two heights";
}

}  // namespace
}  // namespace linkwatch
