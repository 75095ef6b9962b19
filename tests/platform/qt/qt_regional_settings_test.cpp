#include "platform/qt/QtRegionalSettings.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QLocale>
#include <cmath>
#include <limits>
#include <string>

#include "platform/qt/SerialDateParts.h"

namespace linkwatch {
namespace {

// The serial date of a local date and time.
SerialDate Serial(int year, int month, int day, int hour, int minute, int second = 0) {
  return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(year, month, day))) +
         (hour * 3600 + minute * 60 + second) / 86400.0;
}

TEST(QtRegionalSettingsTest, FormatsLikeTheLocale) {
  struct Case {
    const char* locale;
    SerialDate when;
    const char* shortDate;
    const char* mediumTime;
    const char* shortTime;
    const char* decimalSeparator;
  };
  const Case cases[] = {
      {"en_US", Serial(2024, 3, 7, 15, 7, 42), "3/7/2024", "3:07 PM", "15:07", "."},
      {"en_US", Serial(2024, 1, 1, 0, 0), "1/1/2024", "12:00 AM", "00:00", "."},
      {"de_DE", Serial(2024, 12, 24, 9, 5), "24.12.2024", "09:05", "09:05", ","},
  };
  for (const Case& c : cases) {
    const QtRegionalSettings settings{QLocale(QString::fromLatin1(c.locale))};
    SCOPED_TRACE(std::string(c.locale) + " " + c.shortDate);
    EXPECT_EQ(settings.ShortDate(c.when), c.shortDate);
    EXPECT_EQ(settings.MediumTime(c.when), c.mediumTime);
    EXPECT_EQ(settings.ShortTime(c.when), c.shortTime);
    EXPECT_EQ(settings.DecimalSeparator(), c.decimalSeparator);
  }
}

TEST(QtRegionalSettingsTest, KeepsTheLocalesSeparatorsAndSkipsUnusableDates) {
  const QtRegionalSettings finnish{QLocale(QLocale::Finnish, QLocale::Finland)};
  EXPECT_EQ(finnish.ShortTime(Serial(2024, 3, 7, 15, 7)), "15.07");
  EXPECT_EQ(finnish.DecimalSeparator(), ",");
  for (const double when : {std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(), 1e300, -1e300}) {
    EXPECT_EQ(finnish.ShortDate(when) + finnish.MediumTime(when) + finnish.ShortTime(when), "")
        << when;
  }
}

TEST(SerialDatePartsTest, SplitsIntoCalendarDayAndTimeOfDay) {
  struct Case {
    SerialDate when;
    QDate date;
    QTime time;
  };
  const Case cases[] = {
      {0.0, QDate(1899, 12, 30), QTime(0, 0)},
      {-1.25, QDate(1899, 12, 29), QTime(6, 0)},
      {45358.0 + (15 * 3600 + 7 * 60 + 42) / 86400.0, QDate(2024, 3, 7), QTime(15, 7, 42)},
      // A hair before midnight rounds to the next day's midnight.
      {45358.0 + 0.99999999999, QDate(2024, 3, 8), QTime(0, 0)},
      {2958465.5, QDate(9999, 12, 31), QTime(12, 0)},
  };
  for (const Case& c : cases) {
    const auto parts = SerialDateParts::From(c.when);
    ASSERT_TRUE(parts.has_value()) << c.when;
    EXPECT_EQ(parts->Date, c.date) << c.when;
    EXPECT_EQ(parts->Time, c.time) << c.when;
  }
  EXPECT_FALSE(SerialDateParts::From(2958466.0).has_value());
  EXPECT_FALSE(SerialDateParts::From(std::nan("")).has_value());
}

}  // namespace
}  // namespace linkwatch
