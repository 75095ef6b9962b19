#pragma once
#include <functional>

#include "components/Timer.h"

namespace linkwatch::fakes {

// A timer that ticks only when the test says so. Tick() runs the tick handler the
// way the real timer would: only while enabled.
class ManualTimer : public Timer {
 public:
  void SetIntervalMs(int intervalMs) override { intervalMs_ = intervalMs; }
  int IntervalMs() const override { return intervalMs_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetTickHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  // Runs one tick; returns false (and runs nothing) while disabled or without a handler.
  bool Tick();
  // Runs up to count ticks, stopping early when the timer gets disabled; returns how many ran.
  int TickTimes(int count);

 private:
  int intervalMs_ = 0;
  bool enabled_ = false;
  std::function<void()> handler_;
};

}  // namespace linkwatch::fakes
