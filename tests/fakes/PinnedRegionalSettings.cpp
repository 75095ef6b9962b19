#include "fakes/PinnedRegionalSettings.h"

#include <cstdio>

#include "common/DateFunctions.h"

namespace linkwatch::fakes {

std::string PinnedRegionalSettings::ShortDate(SerialDate when) const {
  const CalendarTime c = ToCalendar(when);
  char text[40];
  if (locale_ == Locale::UnitedStates) {
    std::snprintf(text, sizeof text, "%d/%d/%04d", c.Month, c.Day, c.Year);
  } else {
    std::snprintf(text, sizeof text, "%02d.%02d.%04d", c.Day, c.Month, c.Year);
  }
  return text;
}

std::string PinnedRegionalSettings::MediumTime(SerialDate when) const {
  if (locale_ != Locale::UnitedStates) {
    return ShortTime(when);
  }
  const CalendarTime c = ToCalendar(when);
  const int hour12 = c.Hour % 12 == 0 ? 12 : c.Hour % 12;
  char text[40];
  std::snprintf(text, sizeof text, "%d:%02d %s", hour12, c.Minute, c.Hour < 12 ? "AM" : "PM");
  return text;
}

std::string PinnedRegionalSettings::ShortTime(SerialDate when) const {
  const CalendarTime c = ToCalendar(when);
  char text[40];
  std::snprintf(text, sizeof text, "%02d:%02d", c.Hour, c.Minute);
  return text;
}

std::string PinnedRegionalSettings::DecimalSeparator() const {
  return locale_ == Locale::UnitedStates ? "." : ",";
}

}  // namespace linkwatch::fakes
