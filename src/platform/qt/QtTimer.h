#pragma once
#include <functional>
#include <memory>

#include "components/Timer.h"

class QTimer;

namespace linkwatch {

// The control's periodic timer on Qt: a QTimer that lives on the thread creating
// it, so its tick handler runs from that thread's event loop. An interval of 0 or
// less never ticks (enabled or not), so a bad setting cannot make the loop spin.
class QtTimer final : public Timer {
 public:
  QtTimer();
  ~QtTimer() override;
  QtTimer(const QtTimer&) = delete;
  QtTimer& operator=(const QtTimer&) = delete;

  void SetIntervalMs(int intervalMs) override;
  int IntervalMs() const override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  void SetTickHandler(std::function<void()> handler) override;

 private:
  void ApplyState();
  void OnTimeout();

  std::unique_ptr<QTimer> timer_;
  std::function<void()> handler_;
  int intervalMs_ = 1000;
  bool enabled_ = false;
};

}  // namespace linkwatch
