// OIDs as text both ways: what a reply's binding shows, and what a request may name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/netsnmp/OidText.h"

namespace linkwatch::netsnmp {
namespace {

TEST(OidTextTest, FormatsEverySubIdentifierWhateverItsSizeOrTheOidsLength) {
  const std::vector<oid> longest(MAX_OID_LEN, 4294967295u);
  const std::vector<oid> beyond(MAX_OID_LEN + 3, 7);  // not from net-snmp's decoder
  std::string sevens = "7";
  for (size_t i = 1; i < beyond.size(); ++i) sevens += ".7";
  const struct {
    std::vector<oid> SubIds;
    std::string Text;
  } cases[] = {
      {{}, ""},
      {{0}, "0"},
      {{1, 3, 6, 1, 2, 1, 2, 2, 1, 10, 7}, "1.3.6.1.2.1.2.2.1.10.7"},
      {{1, 3, static_cast<oid>(18446744073709551615ull)}, "1.3.18446744073709551615"},
      {beyond, sevens},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OidText::Format(c.SubIds.data(), c.SubIds.size()), c.Text);
  }
  const std::string text = OidText::Format(longest.data(), longest.size());
  EXPECT_EQ(text.size(), MAX_OID_LEN * 11 - 1);
  std::vector<oid> parsed;
  ASSERT_TRUE(OidText::Parse(text, parsed));
  EXPECT_EQ(parsed, longest);
}

}  // namespace
}  // namespace linkwatch::netsnmp
