#pragma once
#include <optional>

#include <QDate>
#include <QTime>

#include "components/Clock.h"

namespace linkwatch {

// A serial date split into its calendar day and time of day. Serial dates are
// local wall-clock values, so no time zone is applied. The whole part counts
// days from 30 December 1899; the fraction is the time of day, also for negative
// serial dates (-1.25 is 29 December 1899, 06:00). The time is rounded to the
// millisecond. None for values that are not finite or lie beyond year 9999 or
// before year 100.
struct SerialDateParts {
  QDate Date;
  QTime Time;

  static std::optional<SerialDateParts> From(SerialDate when);
};

}  // namespace linkwatch
