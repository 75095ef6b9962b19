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
using testing_control::kTableStatistics;

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
      // Without a definition the check-box test fails after the sort value is set.
      {"NoDefinition", "Orphan", "42", true, Text("old"), Color(kOldFore), Color(kOldBack), "", {},
       {}, GridValue{42.0}},
      // A definition without a MIB object fails at the access test after the text is set.
      {"NoMibObject", "Note", "7 notes", true, Text("7 notes"), Color(kOldFore), Color(kOldBack),
       "", {}, {}, GridValue{7.0}},
  };
  return cases;
}

class FillCellTest : public ::testing::TestWithParam<FillCase> {
 protected:
  FillCellTest() : grid(&platform_.Platform().Measure()) {
    grid.SetRows(2);
    grid.SetCols(1);
    grid.SetCell(kCellText, 1, 0, std::string("old"));
    grid.SetCell(kCellForeColor, 1, 0, kOldFore);
    grid.SetCell(kCellBackColor, 1, 0, kOldBack);
  }

  ControlTestPlatform platform_{kTableStatistics, true};
  MemoryGrid grid;
  Statistics statistics;
};

TEST_P(FillCellTest, ShowsTheStatistic) {
  const FillCase& c = GetParam();
  statistics.SetStatistic(nullptr, "", c.statName, c.value, "");
  const std::shared_ptr<Statistic> stat = statistics.Item(c.statName);
  const CellFiller cells(grid, platform_.Platform().Measure());

  if (c.fails) {
    EXPECT_ANY_THROW(cells.Fill(*stat, 1, 0));
  } else {
    EXPECT_NO_THROW(cells.Fill(*stat, 1, 0));
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

struct HeightCase {
  double lineHeight;
  const char* text;
  int expected;  // -1: the row keeps its height
};

class RowHeightTest : public ::testing::TestWithParam<HeightCase> {};

// n lines make the row n heights of "X" tall, the product rounded halves to even.
TEST_P(RowHeightTest, FollowsTheLinesOfTheValue) {
  const HeightCase& c = GetParam();
  ControlTestPlatform platform(kTableStatistics, true);
  platform.Platform().Measure().Height = c.lineHeight;
  MemoryGrid grid(&platform.Platform().Measure());
  grid.SetRows(2);
  grid.SetCols(1);
  Statistics statistics;
  statistics.SetStatistic(nullptr, "", "Interface Name", c.text, "");

  CellFiller(grid, platform.Platform().Measure()).Fill(*statistics.Item("Interface Name"), 1, 0);

  EXPECT_EQ(grid.RowHeight(1), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, RowHeightTest,
                         ::testing::Values(HeightCase{13.0, "one line", -1},
                                           HeightCase{13.0, "a\nb\nc", 39},
                                           HeightCase{13.0, "ends in a line feed\n", 26},
                                           HeightCase{12.25, "a\nb", 24},   // 24.5
                                           HeightCase{12.75, "a\nb", 26},   // 25.5
                                           HeightCase{12.5, "a\nb\nc", 38},  // 37.5
                                           HeightCase{13.5, "a\nb\nc", 40}));  // 40.5

TEST(RowHeight, ALaterValueOfOneLineKeepsTheHeightAndTwoLinesSetIt) {
  ControlTestPlatform platform(kTableStatistics, true);
  MemoryGrid grid(&platform.Platform().Measure());
  grid.SetRows(2);
  grid.SetCols(2);
  Statistics statistics;
  const CellFiller cells(grid, platform.Platform().Measure());
  auto fill = [&](const char* value, int col) {
    statistics.SetStatistic(nullptr, "", "Interface Name", value, "");
    cells.Fill(*statistics.Item("Interface Name"), 1, col);
  };

  fill("a\nb\nc", 0);
  EXPECT_EQ(grid.RowHeight(1), 39);
  fill("a", 0);
  EXPECT_EQ(grid.RowHeight(1), 39);
  fill("a\nb", 1);
  EXPECT_EQ(grid.RowHeight(1), 26) << "two lines in another column set two heights";
}

}  // namespace
}  // namespace linkwatch
