// Number and time texts under the user's locale, as a host meets them: Qt's
// application object sets the C library to the user's locale, yet the table's
// number patterns must use the regional decimal separator (whatever its length),
// plain decimal texts always ".", and upper-casing only ASCII letters.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
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

namespace linkwatch {
namespace {

namespace fs = std::filesystem;

// Makes the C library's UTF-8 locale of `language` ("tr_TR") the current one. A
// machine that lacks it gets it compiled with localedef (from the locales package)
// into a "locales" folder beside this test program, kept for later runs (compiling
// takes long), and LOCPATH points the C library there. Whether it is missing is
// asked of `locale -a` rather than of setlocale(), which would remember the
// failure. Empty on success, otherwise what went wrong.
std::string ActivateCLocale(const std::string& language) {
  const std::string name = language + ".UTF-8";
  QProcess list;
  list.start(QStringLiteral("locale"), {QStringLiteral("-a")});
  list.waitForFinished(30000);
  const QStringList available = QString::fromLocal8Bit(list.readAllStandardOutput()).split(u'\n');
  if (!available.contains(QString::fromStdString(language + ".utf8")) ||
      std::getenv("LOCPATH") != nullptr) {
    const fs::path folder = QCoreApplication::applicationDirPath().toStdString() + "/locales";
    const fs::path target = folder / name;
    if (!fs::exists(target / "LC_NUMERIC")) {
      // Compiled aside and renamed into place, so a run that stops half-way or
      // runs beside this one never leaves a partial locale behind.
      const fs::path partial = folder / (name + ".partial-" + std::to_string(::getpid()));
      std::error_code ignored;
      fs::create_directories(folder, ignored);
      QProcess localedef;
      localedef.start(QStringLiteral("localedef"),
                      {QStringLiteral("-i"), QString::fromStdString(language), QStringLiteral("-f"),
                       QStringLiteral("UTF-8"), QString::fromStdString(partial.string())});
      if (!localedef.waitForFinished(120000)) {
        localedef.kill();
        localedef.waitForFinished(5000);
        fs::remove_all(partial, ignored);
        return "localedef for " + name + " did not finish: " + localedef.errorString().toStdString();
      }
      if (!fs::exists(partial / "LC_NUMERIC")) {
        fs::remove_all(partial, ignored);
        return "localedef could not make " + name + ": " +
               localedef.readAllStandardError().toStdString();
      }
      fs::rename(partial, target, ignored);  // fails harmlessly when another run was first
      fs::remove_all(partial, ignored);
    }
    ::setenv("LOCPATH", folder.c_str(), 1);
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
  const char* name;       // the C library's and Qt's locale
  const char* separator;  // the regional decimal separator, which localeconv() then says too
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
  ASSERT_STREQ(std::localeconv()->decimal_point, locale.separator);
  const QtRegionalSettings regional{QLocale(QString::fromLatin1(locale.name))};
  ASSERT_EQ(regional.DecimalSeparator(), locale.separator);

  // What each text must be, "#" standing for the regional separator: the
  // patterns, plain decimal texts, and ASCII upper-casing (a Turkish locale maps
  // "i" to a dotted capital I).
  const std::pair<std::string, std::string> texts[] = {
      {FormatScaled(9601, "bps", false, regional), "9#6 Kbps"},
      {FormatNumber(2.675, "0.00", regional), "2#68"},
      {Parse("TRAFFIC", "bps", "0", regional, 1250), "10#0 Kbps"},
      {Parse("WIRELESSCLIENTDATARATES", "Mbps", "\x02\x04\x0b\x16", regional), "1, 2, 5.5, 11 Mbps"},
      {Parse("MILLISECONDS", "", "0", regional, 0.5), "0.5 milliseconds "},
      {UpperCase("indoor"), "INDOOR"},
      {Parse("DOT11INDOOROUTDOOR", "", "TRi", regional), "Indoor Use"},
  };
  for (auto [text, expected] : texts) {
    if (const size_t at = expected.find('#'); at != std::string::npos) {
      expected.replace(at, 1, locale.separator);
    }
    EXPECT_EQ(text, expected);
  }
  EXPECT_DOUBLE_EQ(NumericValue("5.5 C"), 5.5);
}

INSTANTIATE_TEST_SUITE_P(Locales, LocaleIndependentTexts,
                         ::testing::Values(LocaleCase{"tr_TR", ","}, LocaleCase{"ps_AF", "\u066b"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace linkwatch
