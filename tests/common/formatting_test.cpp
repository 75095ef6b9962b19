#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "common/DateFunctions.h"
#include "common/Formatting.h"
#include "fakes/PinnedRegionalSettings.h"

namespace linkwatch {
namespace {

using fakes::PinnedRegionalSettings;
using Locale = PinnedRegionalSettings::Locale;

struct ScaledCase {
  double value;
  const char* units;
  bool base1024;
  const char* unitedStates;
  const char* germany;
};

TEST(FormatScaled, EveryBandInBothBasesAndLocales) {
  const ScaledCase cases[] = {
      // base 1000
      {0, "bps", false, "0 bps", "0 bps"},
      {9600, "bps", false, "9600 bps", "9600 bps"},
      {9601, "bps", false, "9.6 Kbps", "9,6 Kbps"},
      {50000, "bps", false, "50.0 Kbps", "50,0 Kbps"},
      {50001, "bps", false, "50 Kbps", "50 Kbps"},
      {999999, "bps", false, "1000 Kbps", "1000 Kbps"},
      {1000000, "bps", false, "1.00 Mbps", "1,00 Mbps"},
      {9000000, "bps", false, "9.00 Mbps", "9,00 Mbps"},
      {9000001, "bps", false, "9 Mbps", "9 Mbps"},
      {1500000000, "bps", false, "1.5 Gbps", "1,5 Gbps"},
      {2.5e15, "bps", false, "2.5 Petabps", "2,5 Petabps"},
      // negative values take the band of their magnitude
      {-20000, "bps", false, "-20.0 Kbps", "-20,0 Kbps"},
      {-0.4, "bps", false, "0 bps", "0 bps"},
      // base 1024 with the same decimal thresholds
      {20480, "B", true, "20.0 KB", "20,0 KB"},
      {1000000, "B", true, "0.95 MB", "0,95 MB"},
      {1048576, "B", true, "1.00 MB", "1,00 MB"},
  };
  const PinnedRegionalSettings unitedStates(Locale::UnitedStates);
  const PinnedRegionalSettings germany(Locale::Germany);
  for (const ScaledCase& c : cases) {
    EXPECT_EQ(FormatScaled(c.value, c.units, c.base1024, unitedStates), c.unitedStates)
        << c.value << " base1024=" << c.base1024;
    EXPECT_EQ(FormatScaled(c.value, c.units, c.base1024, germany), c.germany)
        << c.value << " base1024=" << c.base1024;
  }
}

TEST(FormatNumber, PatternsRoundHalfAwayFromZero) {
  const PinnedRegionalSettings germany(Locale::Germany);
  const struct {
    double value;
    const char* pattern;
    const char* expected;
  } cases[] = {
      {12.5, "0.00", "12,50"},   {2.675, "0.00", "2,68"}, {23.5, "0.0 ", "23,5 "},
      {0.05, "##0.0", "0,1"},    {-0.05, "##0.0", "-0,1"}, {2.5, "##0", "3"},
      {-2.5, "##0", "-3"},       {0.0049, "0.00", "0,00"}, {1234567.891, "##0.00", "1234567,89"},
      {99.96, "##0.0", "100,0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.pattern, germany), c.expected) << c.value << ' ' << c.pattern;
  }
}

TEST(FormatTimeSpan, PiecesAndBoundaries) {
  const struct {
    int32_t days, hours, minutes, seconds;
    const char* expected;
  } cases[] = {
      {0, 0, 0, 90061, "1 days, 1 hours, 1 minutes, 1 seconds"},
      {0, 0, 0, 86400, "24 hours"},
      {1, 0, 0, 0, "24 hours"},
      {0, 0, 0, 60, "60 seconds"},
      {0, 0, 0, 61, "1 minutes, 1 seconds"},
      {0, 25, 0, 0, "1 days, 60 minutes"},  // the rest is exactly 3600
      {0, 0, 0, 0, ""},
      {0, 0, 0, -5, ""},
      {0, 596523, 0, 0, "24855 days, 3 hours"},
      {0, 0, 0, 2147483647, "24855 days, 3 hours, 14 minutes, 7 seconds"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatTimeSpan(c.days, c.hours, c.minutes, c.seconds), c.expected)
        << c.days << ' ' << c.hours << ' ' << c.minutes << ' ' << c.seconds;
  }
  EXPECT_THROW(FormatTimeSpan(0, 596524, 0, 0), std::overflow_error);
  EXPECT_THROW(FormatTimeSpan(0, 0, 40000000, 0), std::overflow_error);
  EXPECT_THROW(FormatTimeSpan(0, -600000, 0, 0), std::overflow_error);
}

TEST(FormatTimeOfDay, TwelveHourOnlyWhereDesignatorsEndInM) {
  const struct {
    CalendarTime when;
    const char* unitedStates;
    const char* germany;
  } cases[] = {
      {{2024, 3, 1, 13, 5, 9}, "1:05 PM", "13:05"},
      {{2024, 3, 1, 0, 30, 0}, "12:30 AM", "00:30"},
      {{2024, 3, 1, 12, 0, 0}, "12:00 PM", "12:00"},
  };
  const PinnedRegionalSettings unitedStates(Locale::UnitedStates);
  const PinnedRegionalSettings germany(Locale::Germany);
  for (const auto& c : cases) {
    const SerialDate when = ToSerialDate(c.when);
    EXPECT_EQ(FormatTimeOfDay(when, unitedStates), c.unitedStates);
    EXPECT_EQ(FormatTimeOfDay(when, germany), c.germany);
  }
}

}  // namespace
}  // namespace linkwatch
