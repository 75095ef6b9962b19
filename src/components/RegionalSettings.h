#pragma once
#include <string>

#include "components/Clock.h"

namespace linkwatch {

// The user's date, time and number formats.
class RegionalSettings {
 public:
  virtual ~RegionalSettings() = default;

  virtual std::string ShortDate(SerialDate when) const = 0;
  // Hours and minutes on the 12-hour clock with the AM/PM designator, where the
  // locale has one; otherwise the locale's own medium time.
  virtual std::string MediumTime(SerialDate when) const = 0;
  // Hours and minutes on the 24-hour clock.
  virtual std::string ShortTime(SerialDate when) const = 0;
  virtual std::string DecimalSeparator() const = 0;
};

}  // namespace linkwatch
