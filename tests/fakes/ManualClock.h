#pragma once
#include "common/DateFunctions.h"
#include "components/Clock.h"

namespace linkwatch::fakes {

// A clock that moves only when told. It starts at 1 March 2024 12:00:00, a
// non-zero date, because a zero date means "never" to the counters.
class ManualClock : public Clock {
 public:
  ManualClock() { SetNow(ToSerialDate(CalendarTime{2024, 3, 1, 12, 0, 0})); }

  SerialDate Now() const override { return seconds_ / kSecondsPerDay; }
  void SetNow(SerialDate when) { seconds_ = when * kSecondsPerDay; }
  // Moves the clock by seconds (may be fractional or negative). Kept as a count of
  // seconds, so many small steps add up exactly.
  void AdvanceSeconds(double seconds) { seconds_ += seconds; }

 private:
  double seconds_;  // since 30 December 1899 00:00
};

}  // namespace linkwatch::fakes
