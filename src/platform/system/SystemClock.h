#pragma once
#include "components/Clock.h"

namespace linkwatch {

// The machine's local time as a serial date.
class SystemClock final : public Clock {
 public:
  SerialDate Now() const override;
};

}  // namespace linkwatch
