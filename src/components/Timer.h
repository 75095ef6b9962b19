#pragma once
#include <functional>

namespace linkwatch {

// A periodic timer ticking on the owning thread while enabled.
class Timer {
 public:
  virtual ~Timer() = default;

  virtual void SetIntervalMs(int intervalMs) = 0;
  virtual int IntervalMs() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  virtual void SetTickHandler(std::function<void()> handler) = 0;
};

}  // namespace linkwatch
