#include "fakes/ManualClock.h"

#include "common/DateFunctions.h"

namespace linkwatch::fakes {

ManualClock::ManualClock() { SetNow(ToSerialDate(CalendarTime{2024, 3, 1, 12, 0, 0})); }

SerialDate ManualClock::Now() const { return seconds_ / kSecondsPerDay; }

void ManualClock::SetNow(SerialDate when) { seconds_ = when * kSecondsPerDay; }

void ManualClock::AdvanceSeconds(double seconds) { seconds_ += seconds; }

}  // namespace linkwatch::fakes
