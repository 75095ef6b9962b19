// JSON string literals of device texts: escapes and the repair of bytes that are
// not UTF-8, checked against the strict JSON check the other tests use too.
#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

#include "JsonCheck.h"
#include "GridSnapshot.h"
#include "JsonFormatter.h"
#include "JsonText.h"
#include "SystemSummary.h"

namespace linkwatch::cli {
namespace {

struct QuoteCase {
  const char* Name;
  std::string Text;
  std::string Quoted;
};

void PrintTo(const QuoteCase& c, std::ostream* os) { *os << c.Name; }

class JsonQuote : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(JsonQuote, EscapesOrRepairs) {
  const std::string quoted = JsonText::Quote(GetParam().Text);
  EXPECT_EQ(quoted, GetParam().Quoted);
  std::string error;
  EXPECT_TRUE(testing_json::IsValidJson(quoted, error)) << error;
}

const std::string kReplacement = "\xEF\xBF\xBD";

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonQuote,
    ::testing::Values(
        QuoteCase{"QuoteAndBackslash", "say \"hi\" \\o/", "\"say \\\"hi\\\" \\\\o/\""},
        QuoteCase{"ShortEscapes", "a\tb\nc\rd\be\ff", "\"a\\tb\\nc\\rd\\be\\ff\""},
        QuoteCase{"OtherControls", std::string("x\x01y\x1Fz\0w", 7), "\"x\\u0001y\\u001fz\\u0000w\""},
        QuoteCase{"TwoByteUtf8", "caf\xC3\xA9", "\"caf\xC3\xA9\""},
        QuoteCase{"LoneContinuation", "a\x80z", "\"a" + kReplacement + "z\""},
        QuoteCase{"Latin1Byte", "caf\xE9!", "\"caf" + kReplacement + "!\""},
        QuoteCase{"TruncatedAtEnd", "ab\xE2\x82", "\"ab" + kReplacement + kReplacement + "\""},
        QuoteCase{"OverlongSlash", "\xC0\xAF", "\"" + kReplacement + kReplacement + "\""},
        QuoteCase{"Surrogate", "\xED\xA0\x80",
                  "\"" + kReplacement + kReplacement + kReplacement + "\""},
        QuoteCase{"BeyondUnicode", "\xF4\x90\x80\x80",
                  "\"" + kReplacement + kReplacement + kReplacement + kReplacement + "\""},
        QuoteCase{"FfByte", "\xFF", "\"" + kReplacement + "\""}),
    [](const auto& info) { return std::string(info.param.Name); });

// Whatever up-time a device reports, the object parses and shows it as a JSON number;
// a boot time that is not known is null.
TEST(JsonNumbers, AnyUpTimeGivesValidJson) {
  const struct {
    double UpTime;
    const char* Shown;
  } cases[] = {{-1.0, "\"SysUpTime\":-1.00,"},
               {1e300, "\"SysUpTime\":1.0000000000000001e+300,"},
               {std::numeric_limits<double>::quiet_NaN(), "\"SysUpTime\":null,"}};
  for (const auto& c : cases) {
    SystemSummary system;
    system.SysUpTime = c.UpTime;
    const std::string json = JsonFormatter().Format(system, GridSnapshot{});
    std::string error;
    EXPECT_TRUE(testing_json::IsValidJson(json, error)) << error << "\n" << json;
    EXPECT_NE(json.find(c.Shown), std::string::npos) << json;
    EXPECT_NE(json.find("\"LastBoot\":null"), std::string::npos) << json;
  }
}

}  // namespace
}  // namespace linkwatch::cli
