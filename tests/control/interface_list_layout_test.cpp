#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fakes/ControlFixture.h"
#include "fakes/FakeDeviceCatalog.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

class InterfaceListLayoutTest : public ::testing::Test {
 protected:
  testing_control::ControlTestPlatform platform_;
  InterfaceList control_;
  fakes::RecordingGrid& grid_ = *platform_.Platform().LastGrid();

  std::vector<std::string> HeaderTexts() {
    std::vector<std::string> texts;
    for (int col = 0; col < grid_.Cols(); ++col) texts.push_back(grid_.CellText(0, col));
    return texts;
  }
};

TEST_F(InterfaceListLayoutTest, OneColumnPerListedNameUnderOneHeaderRow) {
  grid_.SetBackColorStandard(0x123456);
  const auto background = fakes::MakeFakePicture("wallpaper");
  control_.SetBackground(background);
  const size_t settingsBefore = grid_.SettingLog().size();

  control_.SetStatisticsList("TRAFFIC IN, STATUS,NOPE,enable");

  EXPECT_EQ(grid_.Rows(), 1);
  EXPECT_EQ(grid_.Cols(), 4);
  EXPECT_EQ(grid_.FixedRows(), 1);
  EXPECT_EQ(grid_.FixedCols(), 0);
  // A blank after a comma belongs to the next name; a name without a template is
  // headed by itself; letter case does not matter for the template.
  EXPECT_EQ(control_.ColumnList(), "TRAFFIC IN, STATUS,NOPE,enable");
  EXPECT_EQ(HeaderTexts(), (std::vector<std::string>{"In", " STATUS", "NOPE", "On"}));
  for (int col = 0; col < 4; ++col) {
    SCOPED_TRACE(col);
    EXPECT_EQ(grid_.Cell(kCellFontBold, 0, col), GridValue{true});
    EXPECT_EQ(grid_.ColSetting(col), 1);
  }
  // Every column is fitted to its header: " STATUS" is 7 characters of 7 pixels.
  EXPECT_EQ(grid_.ColWidth(1), 7 * 7);
  EXPECT_EQ(grid_.ColWidth(3), 2 * 7);

  const std::vector<std::pair<int, GridValue>> expected = {
      {190, int64_t{1}},        {111, int64_t{7}},        {66, int64_t{1}},
      {174, int64_t{399}},      {71, int64_t{2}},         {82, int64_t{4}},
      {28, true},               {88, true},               {24, int64_t{0x123456}},
      {23, int64_t{0xFF0000}},  {22, int64_t{0xFFC8C8}},  {201, PictureRef(background)},
      {202, int64_t{10}}};
  const std::vector<std::pair<int, GridValue>> applied(
      grid_.SettingLog().begin() + static_cast<long>(settingsBefore), grid_.SettingLog().end());
  EXPECT_EQ(applied, expected);
}

TEST_F(InterfaceListLayoutTest, AnEmptyListLeavesOneHeaderRowAndNoColumns) {
  control_.SetStatisticsList("STATUS,ENABLE");
  control_.SetStatisticsList("");
  EXPECT_EQ(grid_.Rows(), 1);
  EXPECT_EQ(grid_.Cols(), 0);
  EXPECT_EQ(control_.ColumnList(), "");
  EXPECT_EQ(control_.SelectedStatisticName(), "");
  EXPECT_EQ(control_.SelectedStatistic(), nullptr);
}

// The grid is emptied and takes its standard back colour again.
TEST_F(InterfaceListLayoutTest, ClearTableEmptiesTheGrid) {
  control_.SetStatisticsList("TRAFFIC IN,STATUS");
  grid_.SetBackColorStandard(0xABCDEF);
  control_.ClearTable();
  EXPECT_EQ(grid_.Rows(), 0);
  EXPECT_EQ(grid_.Cols(), 0);
  EXPECT_EQ(grid_.FixedRows(), 0);
  EXPECT_EQ(grid_.Setting(24), GridValue{int64_t{0xABCDEF}});
}

// The statistics' names, "(untemplated)" for those without a template.
std::vector<std::string> NamesOf(const Statistics& statistics) {
  std::vector<std::string> names;
  for (const auto& statistic : statistics) {
    names.push_back(statistic->StatisticTemplate() ? statistic->StatName() : "(untemplated)");
  }
  return names;
}

// Pruning drops templated statistics the list no longer names and the children
// that are left with none; untemplated statistics and the interfaces stay.
TEST_F(InterfaceListLayoutTest, PruningKeepsListedAndUntemplatedStatistics) {
  InterfaceListInternals::ReplaceInterfaces(control_);
  Interfaces& all = *control_.Interfaces();
  all.SetStatistic(1, "", "TRAFFIC IN", "100", "");
  all.SetStatistic(1, "", "STATUS", "1", "");
  all.SetStatistic(1, "", "NO TEMPLATE", "x", "");
  all.SetStatistic(1, "5", "SIGNAL", "-40", "");  // child with templated statistics only
  all.SetStatistic(1, "6", "SIGNAL", "-41", "");
  all.SetStatistic(1, "6", "UNKNOWN", "y", "");  // and one without a template
  all.SetStatistic(2, "", "status", "2", "");
  Interface& one = *all.Item("I:1");
  auto prune = [&](const char* list) {
    InterfaceListInternals::State(control_).StatisticsList = list;
    InterfaceListInternals::PruneStatistics(control_);
  };

  prune("status,Signal");
  EXPECT_EQ(NamesOf(one.OwnStatistics()), (std::vector<std::string>{"STATUS", "(untemplated)"}));

  prune("");
  EXPECT_EQ(NamesOf(one.OwnStatistics()), (std::vector<std::string>{"(untemplated)"}));
  ASSERT_EQ(one.OwnChildren().Count(), 1);
  EXPECT_EQ(one.OwnChildren().Item(1)->Key(), "C:1.6");
  EXPECT_EQ(NamesOf(one.OwnChildren().Item(1)->OwnStatistics()),
            (std::vector<std::string>{"(untemplated)"}));
  EXPECT_EQ(all.Item("I:2")->OwnStatistics().Count(), 0);
  EXPECT_EQ(all.Count(), 2);
}

}  // namespace
}  // namespace linkwatch
