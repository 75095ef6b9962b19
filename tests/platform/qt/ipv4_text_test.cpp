#include "platform/qt/Ipv4Text.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace linkwatch {
namespace {

TEST(Ipv4TextTest, CanonicalFormOfAddressTexts) {
  struct Case {
    const char* text;
    std::optional<std::string> canonical;
  };
  const Case cases[] = {
      {"127.0.0.1", "127.0.0.1"},
      {" 10 . 1.2 .3 ", "10.1.2.3"},
      {"010.001.0.0255", "10.1.0.255"},
      {"256.1.1.1", std::nullopt},
      {"1.2.3", std::nullopt},
      {"1.2.3.4.5", std::nullopt},
      {"1..3.4", std::nullopt},
      {"-1.2.3.4", std::nullopt},
      {"", std::nullopt},
      {"99999999999999999999.1.1.1", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CanonicalIpv4(c.text), c.canonical) << '"' << c.text << '"';
    EXPECT_EQ(IsDottedIpv4(c.text), c.canonical.has_value()) << '"' << c.text << '"';
  }
}

}  // namespace
}  // namespace linkwatch
