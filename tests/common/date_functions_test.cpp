#include <gtest/gtest.h>

#include "common/DateFunctions.h"

namespace linkwatch {
namespace {

TEST(DateFunctions, SerialDatesAndCalendarAgree) {
  const struct {
    CalendarTime when;
    double serial;
    const char* iso;
  } cases[] = {
      {{1899, 12, 30, 0, 0, 0}, 0.0, "1899-12-30T00:00:00"},
      {{1899, 12, 31, 12, 0, 0}, 1.5, "1899-12-31T12:00:00"},
      {{1900, 1, 1, 0, 0, 0}, 2.0, "1900-01-01T00:00:00"},
      {{1900, 3, 1, 0, 0, 0}, 61.0, "1900-03-01T00:00:00"},
      {{2003, 1, 1, 0, 0, 0}, 37622.0, "2003-01-01T00:00:00"},
      {{2024, 2, 29, 18, 0, 0}, 45351.75, "2024-02-29T18:00:00"},
      {{2024, 3, 1, 12, 0, 0}, 45352.5, "2024-03-01T12:00:00"},
      {{1899, 12, 29, 6, 0, 0}, -0.75, "1899-12-29T06:00:00"},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(ToSerialDate(c.when), c.serial) << c.iso;
    EXPECT_EQ(ToCalendar(c.serial), c.when) << c.iso;
    EXPECT_EQ(IsoDateTime(c.serial), c.iso);
  }
}

TEST(DateFunctions, SecondsAddUpAndTruncate) {
  const SerialDate start = ToSerialDate({2024, 3, 1, 23, 59, 50});
  SerialDate when = start;
  for (int i = 0; i < 100; ++i) {
    when = AddSeconds(when, 0.1);
  }
  // Ten seconds in tenths cross midnight into the next day and whole second.
  EXPECT_EQ(ToCalendar(when), (CalendarTime{2024, 3, 2, 0, 0, 0}));
  EXPECT_EQ(WholeSeconds(when) - WholeSeconds(start), 10);
  EXPECT_EQ(ToCalendar(TruncateToSecond(AddSeconds(start, 0.9))),
            (CalendarTime{2024, 3, 1, 23, 59, 50}));
  EXPECT_EQ(IsoDateTime(AddSeconds(start, -3600.5)), "2024-03-01T22:59:49");
  EXPECT_EQ(WholeSeconds(TruncateToSecond(AddSeconds(start, 1.9))), WholeSeconds(start) + 1);
}

}  // namespace
}  // namespace linkwatch
