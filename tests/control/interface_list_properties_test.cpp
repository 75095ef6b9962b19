#include <gtest/gtest.h>

#include <vector>

#include "common/DateFunctions.h"
#include "fakes/ControlFixture.h"

namespace linkwatch {
namespace {

class InterfaceListPropertiesTest : public ::testing::Test {
 protected:
  testing_control::ControlTestPlatform platform_;
  InterfaceList control_;

  fakes::RecordingGrid& Grid() { return *platform_.Platform().LastGrid(); }
};

TEST_F(InterfaceListPropertiesTest, RefreshIntervalIsClampedAndWrittenBack) {
  struct Case {
    int32_t written;
    int32_t stored;
  };
  for (const Case& c : std::vector<Case>{
           {0, 5}, {-7, 5}, {4, 5}, {5, 5}, {30, 30}, {300, 300}, {301, 300}, {1000, 300}}) {
    SCOPED_TRACE(c.written);
    int32_t seconds = c.written;
    control_.SetRefreshInterval(seconds);
    EXPECT_EQ(control_.RefreshInterval(), c.stored);
    EXPECT_EQ(seconds, c.stored);
  }
}

TEST_F(InterfaceListPropertiesTest, StatisticsListInOtherLetterCaseIsNoChange) {
  control_.SetStatisticsList("TRAFFIC IN,STATUS");
  ASSERT_EQ(Grid().Cols(), 2);
  const size_t settingsBefore = Grid().SettingLog().size();
  Grid().SetRows(4);  // rows a new layout would drop

  control_.SetStatisticsList("traffic in,Status");
  EXPECT_EQ(control_.StatisticsList(), "TRAFFIC IN,STATUS");
  EXPECT_EQ(Grid().Rows(), 4);
  EXPECT_EQ(Grid().SettingLog().size(), settingsBefore);

  control_.SetStatisticsList("STATUS,TRAFFIC IN");
  EXPECT_EQ(control_.StatisticsList(), "STATUS,TRAFFIC IN");
  EXPECT_EQ(Grid().Rows(), 1);
  EXPECT_EQ(control_.ColumnList(), "STATUS,TRAFFIC IN");
}

TEST_F(InterfaceListPropertiesTest, SecondsTillUpdateCountsWholeSecondsToTheNextPoll) {
  ControlState& state = InterfaceListInternals::State(control_);
  fakes::ManualClock& clock = platform_.Platform().Time();
  const SerialDate now = clock.Now();
  struct Case {
    const char* what;
    SerialDate nextPoll;
    int32_t expected;
  };
  const std::vector<Case> cases = {
      {"zero", 0.0, -1},
      {"passed 10 seconds ago", AddSeconds(now, -10), -10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state.NextPoll = c.nextPoll;
    EXPECT_EQ(control_.SecondsTillUpdate(), c.expected);
  }
  // Counting runs on whole seconds: 0.6 s into a second, a poll 1.5 s away is 2 seconds off.
  clock.AdvanceSeconds(0.6);
  state.NextPoll = AddSeconds(clock.Now(), 1.5);
  EXPECT_EQ(control_.SecondsTillUpdate(), 2);
}

}  // namespace
}  // namespace linkwatch
