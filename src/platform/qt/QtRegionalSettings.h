#pragma once
#include <string>

#include <QLocale>
#include <QString>

#include "components/RegionalSettings.h"

namespace linkwatch {

// Date, time and number formats of a QLocale (the user's system locale unless one
// is given). Serial dates are local wall-clock values and are shown as they are.
//
// - ShortDate: the locale's short date format (en_US "3/7/24", de_DE "07.03.24").
// - MediumTime: hours and minutes in the locale's own short time format. Where
//   that format uses the AM/PM designator (en_US) this is the 12-hour clock with
//   the designator, "3:07 PM"; otherwise it is the locale's 24-hour time without
//   seconds (de_DE "15:07"). Locales that merely have designator texts but do not
//   use them in their time format count as 24-hour.
// - ShortTime: hours and minutes on the 24-hour clock, two-digit hours, with the
//   locale's separator between them (en_US "15:07", fi_FI "15.07").
// - DecimalSeparator: the locale's decimal point.
// Narrow and non-breaking spaces in the locale's formats come out as plain
// blanks, so texts look the same in every host and compare simply.
// A serial date that is not a usable date (not finite, or beyond the years 100
// to 9999) gives empty texts.
class QtRegionalSettings final : public RegionalSettings {
 public:
  QtRegionalSettings();
  explicit QtRegionalSettings(const QLocale& locale);

  std::string ShortDate(SerialDate when) const override;
  std::string MediumTime(SerialDate when) const override;
  std::string ShortTime(SerialDate when) const override;
  std::string DecimalSeparator() const override;

  const QLocale& Locale() const { return locale_; }
  // The QTime formats used for MediumTime and ShortTime.
  const QString& MediumTimeFormat() const { return mediumTimeFormat_; }
  const QString& ShortTimeFormat() const { return shortTimeFormat_; }

 private:
  QLocale locale_;
  QString mediumTimeFormat_;
  QString shortTimeFormat_;
};

}  // namespace linkwatch
