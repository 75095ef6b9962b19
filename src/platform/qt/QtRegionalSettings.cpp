#include "platform/qt/QtRegionalSettings.h"

#include <optional>
#include <vector>

#include "platform/qt/SerialDateParts.h"

namespace linkwatch {

namespace {

// The locale's short date with the year in full: Qt's short formats write two
// digits ("3/7/24"), which leaves the century of a device's boot time open.
QString FourDigitYears(QString format) {
  if (!format.contains(QLatin1String("yyyy"))) {
    format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
  }
  return format;
}


// One piece of a Qt time format: a field (a run of one format letter, or an
// AM/PM designator) or literal text, kept as written (quotes included).
struct FormatPiece {
  bool IsField = false;
  QChar Letter;  // the field's letter, lower-cased ('h', 'm', 's', 'z', 'a', 't')
  QString Text;
};

bool IsFieldLetter(QChar c) {
  return QStringLiteral("hHmsztaA").contains(c);
}

std::vector<FormatPiece> SplitTimeFormat(const QString& format) {
  std::vector<FormatPiece> pieces;
  auto appendLiteral = [&pieces](const QString& text) {
    if (!pieces.empty() && !pieces.back().IsField) {
      pieces.back().Text += text;
    } else {
      pieces.push_back({false, QChar(), text});
    }
  };
  qsizetype i = 0;
  while (i < format.size()) {
    const QChar c = format[i];
    if (c == u'\'') {
      qsizetype end = i + 1;
      while (end < format.size() && format[end] != u'\'') ++end;
      appendLiteral(format.mid(i, end - i + 1));
      i = end + 1;
    } else if (IsFieldLetter(c)) {
      qsizetype end = i + 1;
      if (c.toLower() == u'a') {
        // "AP", "ap", "A" or "a".
        if (end < format.size() && format[end].toLower() == u'p') ++end;
      } else {
        while (end < format.size() && format[end] == c) ++end;
      }
      pieces.push_back({true, c.toLower(), format.mid(i, end - i)});
      i = end;
    } else {
      appendLiteral(QString(c));
      ++i;
    }
  }
  return pieces;
}

// The format without seconds, milliseconds and time zone, each dropped together
// with the literal text that leads up to it (":ss", " t").
QString WithoutSeconds(const QString& format) {
  std::vector<FormatPiece> kept;
  for (const FormatPiece& piece : SplitTimeFormat(format)) {
    const bool drop = piece.IsField && (piece.Letter == u's' || piece.Letter == u'z' ||
                                        piece.Letter == u't');
    if (drop) {
      if (!kept.empty() && !kept.back().IsField) kept.pop_back();
      continue;
    }
    kept.push_back(piece);
  }
  QString result;
  for (const FormatPiece& piece : kept) result += piece.Text;
  return result.trimmed();
}

// "HH", the locale's separator between hours and minutes, "mm".
QString TwentyFourHourFormat(const QString& format) {
  QString separator = QStringLiteral(":");
  const std::vector<FormatPiece> pieces = SplitTimeFormat(format);
  for (std::size_t i = 0; i + 2 < pieces.size(); ++i) {
    if (pieces[i].IsField && pieces[i].Letter == u'h' && !pieces[i + 1].IsField &&
        pieces[i + 2].IsField && pieces[i + 2].Letter == u'm') {
      separator = pieces[i + 1].Text;
      break;
    }
  }
  return QStringLiteral("HH") + separator + QStringLiteral("mm");
}

std::string PlainBlanks(QString text) {
  text.replace(QChar(0x202F), u' ');  // narrow no-break space
  text.replace(QChar(0x00A0), u' ');  // no-break space
  return text.toStdString();
}

}  // namespace

QtRegionalSettings::QtRegionalSettings() : QtRegionalSettings(QLocale::system()) {}

QtRegionalSettings::QtRegionalSettings(const QLocale& locale)
    : locale_(locale),
      mediumTimeFormat_(WithoutSeconds(locale.timeFormat(QLocale::ShortFormat))),
      shortTimeFormat_(TwentyFourHourFormat(locale.timeFormat(QLocale::ShortFormat))) {
  if (mediumTimeFormat_.isEmpty()) mediumTimeFormat_ = shortTimeFormat_;
}

std::string QtRegionalSettings::ShortDate(SerialDate when) const {
  const std::optional<SerialDateParts> parts = SerialDateParts::From(when);
  if (!parts) return std::string();
  return PlainBlanks(locale_.toString(parts->Date, FourDigitYears(locale_.dateFormat(QLocale::ShortFormat))));
}

std::string QtRegionalSettings::MediumTime(SerialDate when) const {
  const std::optional<SerialDateParts> parts = SerialDateParts::From(when);
  if (!parts) return std::string();
  return PlainBlanks(locale_.toString(parts->Time, mediumTimeFormat_));
}

std::string QtRegionalSettings::ShortTime(SerialDate when) const {
  const std::optional<SerialDateParts> parts = SerialDateParts::From(when);
  if (!parts) return std::string();
  return PlainBlanks(locale_.toString(parts->Time, shortTimeFormat_));
}

std::string QtRegionalSettings::DecimalSeparator() const {
  return locale_.decimalPoint().toStdString();
}

}  // namespace linkwatch
