// Number and time texts under the user's locale, as a host meets them: Qt's
// application object sets the C library to the user's locale, yet the table's
// number patterns must use the regional decimal separator (whatever its length),
// plain decimal texts always ".", and upper-casing only ASCII letters.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <pugixml.hpp>
#include <string>

#include "common/Formatting.h"
#include "common/TextFunctions.h"
#include "fakes/ManualClock.h"
#include "platform/qt/QtRegionalSettings.h"
#include "statistics/ParserContext.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/ValueParsers.h"
#include "support/EventLoop.h"
#include "support/Files.h"

namespace linkwatch {
namespace {

// Makes the C library's UTF-8 locale of `language` ("de_DE") the current one. A
// machine that lacks it gets it compiled with localedef (from the locales package)
// into a temporary folder of this test program, and LOCPATH points the C library
// there. Whether it is missing is asked of `locale -a` rather than of setlocale(),
// which would remember the failure. Empty on success, otherwise what went wrong.
std::string ActivateCLocale(const std::string& language) {
  const std::string name = language + ".UTF-8";
  QProcess list;
  list.start(QStringLiteral("locale"), {QStringLiteral("-a")});
  list.waitForFinished(30000);
  const QStringList available = QString::fromLocal8Bit(list.readAllStandardOutput()).split(u'\n');
  if (!available.contains(QString::fromStdString(language + ".utf8")) ||
      std::getenv("LOCPATH") != nullptr) {
    static support::TemporaryDirectory folder("linkwatch-locales");
    if (!folder.Error().empty()) return folder.Error();
    const std::string target = folder.Path() + "/" + name;
    if (!std::filesystem::exists(target + "/LC_NUMERIC")) {
      QProcess localedef;
      localedef.start(QStringLiteral("localedef"),
                      {QStringLiteral("-i"), QString::fromStdString(language), QStringLiteral("-f"),
                       QStringLiteral("UTF-8"), QString::fromStdString(target)});
      if (!localedef.waitForFinished(60000)) {
        localedef.kill();
        localedef.waitForFinished(5000);
        return "localedef for " + name + " did not finish: " + localedef.errorString().toStdString();
      }
      if (!std::filesystem::exists(target + "/LC_NUMERIC")) {
        return "localedef could not make " + name + ": " +
               localedef.readAllStandardError().toStdString();
      }
    }
    ::setenv("LOCPATH", folder.Path().c_str(), 1);
  }
  if (std::setlocale(LC_ALL, name.c_str()) == nullptr) {
    return "the C library cannot use " + name;
  }
  return {};
}

// Runs one value parser the way a statistic does, from the text "previous".
std::string Parse(const char* parser, const char* units, const std::string& value,
                  const RegionalSettings& regional, double currentValue = 0) {
  pugi::xml_document document;
  pugi::xml_node node = document.append_child("Statistic");
  node.append_attribute("NAME") = "Locale check";
  node.append_attribute("MIB") = "EnableCheckbox";
  node.append_attribute("PARSER") = parser;
  node.append_attribute("UNITS") = units;
  auto definition = std::make_shared<StatisticTemplate>();
  EXPECT_TRUE(definition->LoadFromNode(node, nullptr)) << parser;
  Statistic statistic(definition);
  statistic.SetParsedValue("previous");
  statistic.SetCurrentValue(currentValue);
  const fakes::ManualClock clock;
  const std::string childIndex;
  ParserContext context{statistic, *definition, value,  value,   nullptr,
                        childIndex, 0.0,        clock, regional};
  ValueParsers::Run(context);
  return statistic.ParsedValue();
}

struct LocaleCase {
  const char* name;              // the C library's and Qt's locale
  const char* cLibrarySeparator;  // what localeconv() then says, to prove it took effect
  const char* separator;          // the regional decimal separator the patterns use
};

class LocaleIndependentTexts : public ::testing::TestWithParam<LocaleCase> {
 protected:
  static void SetUpTestSuite() {
    // As in every host: the application object sets the C library to the user's
    // locale; each case then switches it to the locale under test.
    support::EnsureQtApplication();
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_P(LocaleIndependentTexts, PatternsUseTheRegionalSeparatorAndPlainTextsUseAPoint) {
  const LocaleCase& locale = GetParam();
  ASSERT_EQ(ActivateCLocale(locale.name), "");
  ASSERT_STREQ(std::localeconv()->decimal_point, locale.cLibrarySeparator);
  const QtRegionalSettings regional{QLocale(QString::fromLatin1(locale.name))};
  const std::string separator = locale.separator;
  ASSERT_EQ(regional.DecimalSeparator(), separator);

  // The patterns, with a separator of one or two bytes.
  EXPECT_EQ(FormatScaled(9601, "bps", false, regional), "9" + separator + "6 Kbps");
  EXPECT_EQ(FormatScaled(1048576, "B", true, regional), "1" + separator + "00 MB");
  EXPECT_EQ(FormatScaled(-20000, "bps", false, regional), "-20" + separator + "0 Kbps");
  EXPECT_EQ(FormatScaled(2.5e15, "bps", false, regional), "2" + separator + "5 Petabps");
  EXPECT_EQ(FormatNumber(2.675, "0.00", regional), "2" + separator + "68");
  EXPECT_EQ(Parse("TRAFFIC", "bps", "0", regional, 1250), "10" + separator + "0 Kbps");
  EXPECT_EQ(Parse("/10", "C", "235", regional), "23" + separator + "5 C");

  // Plain decimal texts.
  EXPECT_EQ(Parse("WIRELESSCLIENTDATARATES", "Mbps", std::string("\x02\x04\x0b\x16"), regional),
            "1, 2, 5.5, 11 Mbps");
  EXPECT_EQ(Parse("MILLISECONDS", "", "0", regional, 0.5), "0.5 milliseconds ");
  EXPECT_DOUBLE_EQ(NumericValue("5.5 C"), 5.5);

  // ASCII upper-casing (a Turkish locale maps "i" to a dotted capital I).
  EXPECT_EQ(UpperCase("indoor"), "INDOOR");
  EXPECT_EQ(Parse("DOT11INDOOROUTDOOR", "", "TRi", regional), "Indoor Use");
  EXPECT_EQ(Parse("DOT11INDOOROUTDOOR", "", "TRo", regional), "Outdoor Use");
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleIndependentTexts,
                         ::testing::Values(LocaleCase{"de_DE", ",", ","},
                                           LocaleCase{"tr_TR", ",", ","},
                                           LocaleCase{"ps_AF", "\u066b", "\u066b"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace linkwatch
