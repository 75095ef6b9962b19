// When a poll cycle has ended, told from the control's Status events, its walks
// in progress and NextPoll, as the monitor sees them between events.
#include <gtest/gtest.h>

#include "control/CycleTracker.h"

namespace linkwatch {
namespace {

constexpr SerialDate kFirstPoll = 45000.5;
constexpr SerialDate kSecondPoll = 45000.6;

TEST(CycleTracker, TheFirstCycleWithTwoChainsEndsOnce) {
  CycleTracker tracker;
  tracker.Observe(2, kFirstPoll);  // after the start: the system walk and the first statistic
  EXPECT_FALSE(tracker.HasEnded());
  tracker.OnStatus(1, kFirstPoll);  // one chain done, the other still walking
  tracker.Observe(1, kFirstPoll);
  EXPECT_FALSE(tracker.HasEnded());
  tracker.OnStatus(0, kFirstPoll);
  ASSERT_TRUE(tracker.HasEnded());
  const CycleTracker::Ends ends = tracker.Take();
  EXPECT_EQ(ends.Complete, 1);
  EXPECT_EQ(ends.Incomplete, 0);
  tracker.Observe(0, kFirstPoll);
  EXPECT_FALSE(tracker.HasEnded()) << "an idle control between polls has not ended a cycle";
}

TEST(CycleTracker, APollThatStartsAndEndsBetweenTwoLooksCountsOnce) {
  CycleTracker tracker;
  tracker.OnStatus(0, kFirstPoll);
  tracker.Take();
  // The next poll began and finished before the loop looked again.
  tracker.OnStatus(0, kSecondPoll);
  tracker.Observe(0, kSecondPoll);
  const CycleTracker::Ends ends = tracker.Take();
  EXPECT_EQ(ends.Complete, 1);
  EXPECT_EQ(ends.Incomplete, 0);
}

// Ends count until taken: here the first cycle's Status and a poll whose walk
// got an error reply, so that no Status came.
TEST(CycleTracker, AChainThatDiesWithoutStatusEndsTheCycleIncomplete) {
  CycleTracker tracker;
  tracker.OnStatus(0, kFirstPoll);
  tracker.Observe(1, kSecondPoll);  // a poll began
  tracker.Observe(0, kSecondPoll);  // and its chain died
  CycleTracker::Ends ends = tracker.Take();
  EXPECT_EQ(ends.Complete, 1);
  EXPECT_EQ(ends.Incomplete, 1);
  tracker.Observe(0, kSecondPoll);
  EXPECT_FALSE(tracker.HasEnded()) << "the same poll does not end twice";
  ends = tracker.Take();
  EXPECT_EQ(ends.Complete + ends.Incomplete, 0);
}

}  // namespace
}  // namespace linkwatch
