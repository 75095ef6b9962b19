#include "platform/qt/QtTimer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <memory>

#include "platform/qt/QtEventLoop.h"

namespace linkwatch {
namespace {

using namespace std::chrono_literals;

constexpr auto kDeadline = 10s;

// A second timer with the same interval: once it has ticked a few times, a timer
// that should be quiet would have ticked too, had it still been running.
bool SentinelTicks(int intervalMs, int ticks) {
  QtTimer sentinel;
  int count = 0;
  sentinel.SetIntervalMs(intervalMs);
  sentinel.SetTickHandler([&] { ++count; });
  sentinel.SetEnabled(true);
  return QtEventLoop::RunUntil([&] { return count >= ticks; }, kDeadline);
}

TEST(QtTimerTest, TicksFromTheEventLoopOfItsThreadAgainWhenReEnabledAndAtANewInterval) {
  QtTimer timer;
  int ticks = 0;
  bool onOwningThread = true;
  timer.SetIntervalMs(5);
  timer.SetTickHandler([&] {
    ++ticks;
    onOwningThread = onOwningThread && QThread::currentThread() == qApp->thread();
  });
  timer.SetEnabled(true);
  ASSERT_TRUE(QtEventLoop::RunUntil([&] { return ticks >= 3; }, kDeadline));
  EXPECT_TRUE(onOwningThread);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  timer.SetIntervalMs(3);
  const int before = ticks;
  EXPECT_TRUE(QtEventLoop::RunUntil([&] { return ticks >= before + 2; }, kDeadline));
}

// A handler may disable its own timer on its second tick, or destroy it on the
// first: no tick follows.
TEST(QtTimerTest, AHandlerMayStopOrDestroyItsOwnTimer) {
  struct Case {
    int lastTick;
    bool destroy;
  };
  for (const Case& c : {Case{2, false}, Case{1, true}}) {
    auto timer = std::make_unique<QtTimer>();
    int ticks = 0;
    timer->SetIntervalMs(5);
    timer->SetTickHandler([&] {
      if (++ticks < c.lastTick) return;
      c.destroy ? timer.reset() : timer->SetEnabled(false);
    });
    timer->SetEnabled(true);
    ASSERT_TRUE(QtEventLoop::RunUntil([&] { return ticks >= c.lastTick; }, kDeadline));
    ASSERT_TRUE(SentinelTicks(5, 5));
    EXPECT_EQ(ticks, c.lastTick);
    EXPECT_TRUE(c.destroy ? timer == nullptr : !timer->Enabled());
  }
}

TEST(QtTimerTest, NeverTicksWhileDisabledOrWithoutAPositiveInterval) {
  struct Case {
    int intervalMs;
    bool enabled;
  };
  for (const Case& c : {Case{5, false}, Case{0, true}}) {
    QtTimer timer;
    int ticks = 0;
    timer.SetTickHandler([&] { ++ticks; });
    timer.SetIntervalMs(c.intervalMs);
    timer.SetEnabled(c.enabled);
    ASSERT_TRUE(SentinelTicks(5, 5));
    EXPECT_EQ(ticks, 0) << "interval " << c.intervalMs << " enabled " << c.enabled;
  }
}

}  // namespace
}  // namespace linkwatch
