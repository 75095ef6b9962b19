#pragma once
#include <functional>

#include "components/Timer.h"

namespace linkwatch::fakes {

// A timer that ticks only when the test says so.
class ManualTimer : public Timer {
 public:
  void SetIntervalMs(int intervalMs) override { intervalMs_ = intervalMs; }
  int IntervalMs() const override { return intervalMs_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetTickHandler(std::function<void()> handler) override { handler_ = std::move(handler); }

  // Runs the tick handler as the real timer would: only while enabled. Returns
  // false (and runs nothing) while disabled or without a handler.
  bool Tick() {
    if (!enabled_ || !handler_) return false;
    auto handler = handler_;  // the handler may replace itself while it runs
    handler();
    return true;
  }

 private:
  int intervalMs_ = 0;
  bool enabled_ = false;
  std::function<void()> handler_;
};

}  // namespace linkwatch::fakes
