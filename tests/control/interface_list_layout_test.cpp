#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "control/GridLayoutSettings.h"
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
  control_.SetStatisticsList("TRAFFIC IN, STATUS,NOPE,enable");

  EXPECT_EQ(grid_.Rows(), 1);
  EXPECT_EQ(grid_.FixedRows(), 1);
  // A blank after a comma belongs to the next name; a name without a template is
  // headed by itself; letter case does not matter for the template.
  EXPECT_EQ(control_.ColumnList(), "TRAFFIC IN, STATUS,NOPE,enable");
  EXPECT_EQ(HeaderTexts(), (std::vector<std::string>{"In", " STATUS", "NOPE", "On"}));
}

// The control's background picture reaches the grid, stretched (mode 10), when the
// columns are laid out and when the table is cleared.
TEST_F(InterfaceListLayoutTest, TheBackgroundPictureGoesToTheGrid) {
  for (const bool clearing : {false, true}) {
    const PictureRef picture = fakes::MakeFakePicture(clearing ? "cleared" : "laid out");
    control_.SetBackground(picture);
    if (clearing) {
      control_.ClearTable();
    } else {
      control_.SetStatisticsList("STATUS");
    }
    EXPECT_EQ(grid_.Setting(grid_setting::kBackgroundPicture), GridValue{picture}) << clearing;
    EXPECT_EQ(grid_.Setting(grid_setting::kBackgroundPictureMode), GridValue{int64_t{10}}) << clearing;
  }
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
