// Child rows through the control: entries below an interface (wireless clients)
// appear as outline rows under it and fade when they stop answering.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ControlFixture.h"

namespace linkwatch {
namespace {

using testing_control::PictureName;
using testing_control::DeviceFixture;

constexpr int64_t kBlack = 0x000000;
constexpr int64_t kGrey = 0x808080;
constexpr int64_t kRed = 0x4040FF;

// The special name column is given in mixed case on purpose.
constexpr const char* kChildColumns =
    "interface NAME,Signal,Interface Status,Interface Status Icon,Disassociate Time";

// A refresh interval of 10 s.
class ChildRowsTest : public DeviceFixture {
 protected:
  ChildRowsTest() {
    int32_t interval = 10;
    control->SetRefreshInterval(interval);
  }
  GridValue Fore(const std::string& rowKey, const std::string& colKey) const {
    return Attribute(kCellForeColor, rowKey, colKey);
  }
};

struct AgeCase {
  int age;
  const char* word;
  const char* icon;
  bool stale;
};

class ChildStateTest : public ChildRowsTest, public ::testing::WithParamInterface<AgeCase> {};

// With a refresh interval of 10 s: active up to 10 s, missing up to 20 s, then
// disappeared.
TEST_P(ChildStateTest, FollowsTheAgeOfTheLastUpdate) {
  const AgeCase& c = GetParam();
  AddDevice(1);
  AddClient(1, 5);
  Start(kChildColumns);  // the client answers at 12:00:50
  ASSERT_EQ(Text("C:1.5", "Interface Status"), "Active");

  clock.AdvanceSeconds(c.age);
  control->RefreshTable();

  EXPECT_EQ(Text("C:1.5", "Interface Status"), c.word);
  EXPECT_EQ(PictureName(Attribute(kCellPicture, "C:1.5", "Interface Status Icon")), c.icon);
  const int64_t faded = c.stale ? kGrey : kBlack;
  EXPECT_EQ(Fore("C:1.5", "interface NAME"), GridValue{faded});
  EXPECT_EQ(Fore("C:1.5", "Signal"), GridValue{faded});
  EXPECT_EQ(Fore("C:1.5", "Disassociate Time"), GridValue{c.stale ? kRed : kBlack});
  // Stamped when first seen missing.
  EXPECT_EQ(Text("C:1.5", "Disassociate Time"), c.stale ? "3/1/2024 12:01 PM" : "0");
}

INSTANTIATE_TEST_SUITE_P(RefreshInterval10, ChildStateTest,
                         ::testing::Values(AgeCase{10, "Active", "status-1", false},
                                           AgeCase{11, "Missing", "status-3", true},
                                           AgeCase{21, "Disappeared", "status-7", true}),
                         [](const auto& info) { return "Age" + std::to_string(info.param.age); });

TEST_F(ChildRowsTest, TheDisassociateTimeIsStampedOnceAndClearedWhenTheChildAnswersAgain) {
  AddDevice(1);
  AddClient(1, 5);
  Start(kChildColumns);

  clock.AdvanceSeconds(6);  // a refresh while active is no answer from the client
  control->RefreshTable();
  clock.AdvanceSeconds(5);  // 12:01:01, 11 s after the answer: missing
  control->RefreshTable();
  EXPECT_EQ(Text("C:1.5", "Disassociate Time"), "3/1/2024 12:01 PM");

  clock.AdvanceSeconds(70);  // 12:02:11, disappeared
  control->RefreshTable();
  EXPECT_EQ(Text("C:1.5", "Interface Status"), "Disappeared");
  EXPECT_EQ(Text("C:1.5", "Disassociate Time"), "3/1/2024 12:01 PM") << "stamped only once";
  EXPECT_EQ(Fore("C:1.5", "Interface Status"), GridValue{kGrey});

  PollAgain();  // the client answers again
  EXPECT_EQ(Text("C:1.5", "Interface Status"), "Active");
  EXPECT_EQ(Text("C:1.5", "Disassociate Time"), "0");
  EXPECT_EQ(Fore("C:1.5", "Disassociate Time"), GridValue{kBlack});
  EXPECT_EQ(Fore("C:1.5", "interface NAME"), GridValue{kBlack});
  EXPECT_EQ(Fore("C:1.5", "Interface Status"), GridValue{kGrey}) << "the name turns black";
}

TEST_F(ChildRowsTest, ChildRowsHangUnderTheirInterfaceWhoseRowsHeadOutlineGroups) {
  AddDevice(3);
  Start(kChildColumns);
  // No children yet: no outline.
  EXPECT_FALSE(grid.IsSubtotal(RowOf("I:1")));

  AddClient(1, 5);
  AddClient(3, 8);
  PollAgain();
  EXPECT_EQ(RowKeys(), (std::vector<std::string>{"I:1", "C:1.5", "I:2", "I:3", "C:3.8"}));

  AddClient(1, 6);
  AddInterface(4);
  PollAgain();
  EXPECT_EQ(RowKeys(),
            (std::vector<std::string>{"I:1", "C:1.5", "C:1.6", "I:2", "I:3", "C:3.8", "I:4"}));
  for (const char* key : {"I:1", "I:2", "I:3", "I:4"}) {
    EXPECT_TRUE(grid.IsSubtotal(RowOf(key))) << key;
    EXPECT_EQ(grid.OutlineLevel(RowOf(key)), 0) << key;
  }
  for (const char* key : {"C:1.5", "C:1.6", "C:3.8"}) {
    EXPECT_FALSE(grid.IsSubtotal(RowOf(key))) << key;
    EXPECT_EQ(grid.OutlineLevel(RowOf(key)), 1) << key;
  }
  // Interface rows show the interface's own statistics under the same columns.
  EXPECT_EQ(Text("I:1", "interface NAME"), "eth1");
  EXPECT_EQ(Text("I:1", "Interface Status"), "Up");
  EXPECT_EQ(Text("C:1.6", "Signal"), "-40");

  // A sort moves each child along with its interface; refreshes still find it.
  grid.ClickHeader(ColOf("interface NAME"));
  grid.ClickHeader(ColOf("interface NAME"));
  RemoveClient(1, 5);
  PollAgain();
  EXPECT_EQ(RowKeys(),
            (std::vector<std::string>{"I:4", "I:3", "C:3.8", "I:2", "I:1", "C:1.5", "C:1.6"}))
      << "a child that left keeps its row";
}

}  // namespace
}  // namespace linkwatch
