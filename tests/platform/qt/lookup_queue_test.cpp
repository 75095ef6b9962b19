#include "platform/qt/LookupQueue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace linkwatch {
namespace {

std::vector<std::string> StartAll(LookupQueue& queue) {
  std::vector<std::string> tags;
  while (auto next = queue.StartNext()) tags.push_back(next->Tag);
  return tags;
}

TEST(LookupQueueTest, RunsAtMostTheLimitAndStartsWaitersInOrder) {
  LookupQueue queue(2, 10);
  for (const char* tag : {"a", "b", "c", "d"}) EXPECT_TRUE(queue.Add({"10.0.0.1", tag}));
  EXPECT_EQ(StartAll(queue), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(queue.Running(), 2u);
  EXPECT_EQ(queue.Waiting(), 2u);
  queue.Finish({"10.0.0.1", "b"});
  EXPECT_EQ(StartAll(queue), (std::vector<std::string>{"c"}));
  queue.Finish({"10.0.0.1", "a"});
  queue.Finish({"10.0.0.1", "c"});
  EXPECT_EQ(StartAll(queue), (std::vector<std::string>{"d"}));
  EXPECT_EQ(queue.Dropped(), 0u);
}

TEST(LookupQueueTest, MergesARequestEqualToOneWaitingOrRunning) {
  LookupQueue queue(1, 10);
  EXPECT_TRUE(queue.Add({"10.0.0.1", "t"}));
  EXPECT_TRUE(queue.Add({"10.0.0.2", "t"}));
  EXPECT_FALSE(queue.Add({"10.0.0.2", "t"}));  // waiting
  ASSERT_EQ(StartAll(queue).size(), 1u);
  EXPECT_FALSE(queue.Add({"10.0.0.1", "t"}));  // running
  EXPECT_TRUE(queue.Add({"10.0.0.1", "other tag"}));
  EXPECT_EQ(queue.Waiting(), 2u);
  queue.Finish({"10.0.0.1", "t"});
  EXPECT_TRUE(queue.Add({"10.0.0.1", "t"}));  // answered, so asked afresh
}

TEST(LookupQueueTest, ClearingTheLineKeepsRunningLookupsAndAZeroLimitStillLetsOneRun) {
  LookupQueue queue(0, 5);
  queue.Add({"10.0.0.1", "a"});
  queue.Add({"10.0.0.1", "b"});
  ASSERT_EQ(StartAll(queue).size(), 1u);
  queue.ClearWaiting();
  EXPECT_EQ(queue.Running(), 1u);
  EXPECT_EQ(queue.Waiting(), 0u);
  EXPECT_FALSE(queue.StartNext().has_value());
}

}  // namespace
}  // namespace linkwatch
