#pragma once
#include <chrono>
#include <cstdint>
#include <optional>

namespace linkwatch::exporter {

// What one control's engine has sent since the last Take(): how many requests and
// when the first of them left, which is when the poll cycle began.
class RequestCounter {
 public:
  using Clock = std::chrono::steady_clock;

  void NoteSend() {
    if (requests_ == 0) firstSend_ = Clock::now();
    ++requests_;
  }

  struct Cycle {
    uint64_t Requests = 0;
    std::optional<Clock::time_point> FirstSend;
  };
  Cycle Take() {
    Cycle cycle{requests_, requests_ > 0 ? std::optional(firstSend_) : std::nullopt};
    requests_ = 0;
    return cycle;
  }

 private:
  uint64_t requests_ = 0;
  Clock::time_point firstSend_{};
};

}  // namespace linkwatch::exporter
