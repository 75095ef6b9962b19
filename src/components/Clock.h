#pragma once

namespace linkwatch {

// Local date-time as a serial date: days since 30 December 1899, the time of day
// as the fraction.
using SerialDate = double;

class Clock {
 public:
  virtual ~Clock() = default;
  virtual SerialDate Now() const = 0;
};

}  // namespace linkwatch
