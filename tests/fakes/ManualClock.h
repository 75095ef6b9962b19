#pragma once
#include "components/Clock.h"

namespace linkwatch::fakes {

// A clock that moves only when told. It starts at 1 March 2024 12:00:00, a
// non-zero date, because a zero date means "never" to the counters.
class ManualClock : public Clock {
 public:
  ManualClock();

  SerialDate Now() const override;
  void SetNow(SerialDate when);
  // Moves the clock by seconds (may be fractional or negative). Kept as a count of
  // seconds, so many small steps add up exactly.
  void AdvanceSeconds(double seconds);

 private:
  double seconds_;  // since 30 December 1899 00:00
};

}  // namespace linkwatch::fakes
