#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/TextFunctions.h"

namespace linkwatch {
namespace {

TEST(TextFunctions, CaseTrimAndSplit) {
  EXPECT_EQ(UpperCase("ifInOctets-9 ä"), "IFINOCTETS-9 ä");
  EXPECT_TRUE(EqualsIgnoreCase("EnableCheckbox", "ENABLECHECKBOX"));
  EXPECT_FALSE(EqualsIgnoreCase("abc", "abcd"));
  EXPECT_EQ(TrimBlanks("  In Octets \t "), "In Octets \t");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(Split("1.2..3", '.'), (std::vector<std::string>{"1", "2", "", "3"}));
  EXPECT_EQ(Split("", '.'), (std::vector<std::string>{""}));
  EXPECT_EQ(Split("7:3.1:IN OCTETS", ':'), (std::vector<std::string>{"7", "3.1", "IN OCTETS"}));
}

TEST(TextFunctions, NumericValueReadsTheLeadingNumber) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"123", 123.0},
      {"-12.5abc", -12.5},
      {"+7", 7.0},
      {"  42", 42.0},
      {".5", 0.5},
      {"1.2.3", 1.2},
      {"abc", 0.0},
      {"", 0.0},
      {"DNS:router", 0.0},
      {"18446744073709551615", 18446744073709551615.0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumericValue(c.text), c.expected) << c.text;
  }
}

TEST(TextFunctions, RoundingGoesToEvenAndReportsOverflow) {
  const struct {
    double value;
    int32_t expected;
  } cases[] = {{2.5, 2},   {3.5, 4},    {-2.5, -2},        {-3.5, -4},        {1.4999, 1},
               {1.5001, 2}, {0.5, 0}, {2147483647.4, 2147483647}, {-2147483648.4, INT32_MIN}};
  for (const auto& c : cases) {
    EXPECT_EQ(RoundToInt32(c.value), c.expected) << c.value;
  }
  EXPECT_THROW(RoundToInt32(2147483647.5), std::overflow_error);
  EXPECT_THROW(RoundToInt32(-3e9), std::overflow_error);
  EXPECT_THROW(RoundToInt32(std::nan("")), std::overflow_error);
  EXPECT_EQ(RoundToInt16(32766.5), 32766);
  EXPECT_EQ(RoundToInt16(-32768.4), -32768);
  EXPECT_THROW(RoundToInt16(32767.5), std::overflow_error);
  EXPECT_THROW(RoundToInt16(40000), std::overflow_error);
}

TEST(TextFunctions, FlagRule) {
  const struct {
    const char* text;
    bool expected;
  } cases[] = {{"YES", true},   {"yes", true},  {"Yes", true},  {"TRUE", true},  {"true", true},
               {"1", true},     {"Y", true},    {"y", true},    {"USER", true},  {"User", true},
               {" yes", false}, {"yes ", false}, {"", false},   {"no", false},   {"0", false},
               {"2", false},    {"ON", false},  {"FALSE", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(ParseFlag(c.text), c.expected) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace linkwatch
