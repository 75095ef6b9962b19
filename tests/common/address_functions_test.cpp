#include <gtest/gtest.h>

#include "common/AddressFunctions.h"

namespace linkwatch {
namespace {

TEST(IsIPAddress, FourNumbersFromZeroTo255) {
  const struct {
    const char* text;
    bool expected;
  } cases[] = {
      {"192.168.1.1", true},       {"0.0.0.0", true},         {"255.255.255.255", true},
      {" 10 . 0 . 0 . 1 ", true},  {"010.001.000.009", true}, {"256.1.1.1", false},
      {"1.2.3.256", false},        {"1.2.3", false},          {"1.2.3.4.5", false},
      {"1..2.3", false},           {"1.2.3.", false},         {"router.example.com", false},
      {"", false},                 {"1.2.3.-4", false},       {"1.2.3.4a", false},
      {"99999999999.1.1.1", false}, {"1.2.3.+4", false},      {"DNS:host", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsIPAddress(c.text), c.expected) << '"' << c.text << '"';
  }
}

TEST(NormalizeMacAddress, ThreeUpperCaseGroupsOfFour) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"", ""},
      {"   ", ""},
      {"...", ""},
      {"001122334455", "0011.2233.4455"},
      {"0011.2233.4455", "0011.2233.4455"},
      {"aabbccddeeff", "AABB.CCDD.EEFF"},
      {"  00.11.22.33.44.55  ", "0011.2233.4455"},
      {"001122", "0011.22."},
      {"00112233445566", "0011.2233.4455"},
      {"00:11", "00:1.1."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalizeMacAddress(c.text), c.expected) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace linkwatch
