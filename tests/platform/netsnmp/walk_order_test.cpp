// The guard against agents whose walk answers do not move forward, on answers
// built as net-snmp decodes them.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "platform/netsnmp/OidText.h"
#include "platform/netsnmp/PduHandle.h"
#include "platform/netsnmp/WalkOrder.h"

namespace linkwatch::netsnmp {
namespace {

struct WalkOrderCase {
  const char* Name;
  int16_t Kind;
  int16_t Version;
  int32_t NonRepeaters;
  std::vector<std::string> Asked;
  std::vector<std::string> Answered;
  size_t Ordered;  // leading answers kept
};

class WalkOrderTest : public testing::TestWithParam<WalkOrderCase> {};

TEST_P(WalkOrderTest, AnswersAreKeptUpToTheFirstOneThatDoesNotMoveOn) {
  const WalkOrderCase& c = GetParam();
  SnmpMessage request;
  request.Kind = c.Kind;
  request.Version = c.Version;
  request.NonRepeaters = c.NonRepeaters;
  for (const std::string& oid : c.Asked) request.Bindings.Add(oid, "", kSnmpNull);

  PduHandle answer(snmp_pdu_create(SNMP_MSG_RESPONSE));
  for (const std::string& text : c.Answered) {
    std::vector<oid> subIds;
    ASSERT_TRUE(OidText::Parse(text, subIds)) << text;
    snmp_add_null_var(answer.get(), subIds.data(), subIds.size());
  }
  EXPECT_EQ(WalkOrder::OrderedPrefix(*answer, request), c.Ordered) << c.Name;
}

const char* const kCol = "1.3.6.1.2.1.2.2.1.2.";

INSTANTIATE_TEST_SUITE_P(
    Walks, WalkOrderTest,
    testing::Values(
        WalkOrderCase{"a get-next that moves on", kSnmpGetNext, 1, 0, {kCol}, {"1.3.6.1.2.1.2.2.1.2.1"}, 1},
        WalkOrderCase{"a get-next answered with the OID asked after", kSnmpGetNext, 1, 0,
                      {"1.3.6.1.2.1.2.2.1.2.5."}, {"1.3.6.1.2.1.2.2.1.2.5"}, 0},
        WalkOrderCase{"a v1 get-bulk is a get-next", kSnmpGetBulk, 1, 0,
                      {"1.3.6.1.2.1.2.2.1.2.5"}, {"1.3.6.1.2.1.2.2.1.2.5"}, 0},
        WalkOrderCase{"a bulk that always increases", kSnmpGetBulk, 2, 0, {kCol},
                      {"1.3.6.1.2.1.2.2.1.2.1", "1.3.6.1.2.1.2.2.1.2.2", "1.3.6.1.2.1.2.2.1.3.1"}, 3},
        WalkOrderCase{"a bulk that repeats a binding", kSnmpGetBulk, 3, 0, {kCol},
                      {"1.3.6.1.2.1.2.2.1.2.1", "1.3.6.1.2.1.2.2.1.2.2", "1.3.6.1.2.1.2.2.1.2.2"}, 2},
        WalkOrderCase{"a bulk whose first answer is the position asked after", kSnmpGetBulk, 2, 0,
                      {"1.3.6.1.2.1.2.2.1.2.9"}, {"1.3.6.1.2.1.2.2.1.2.9", "1.3.6.1.2.1.2.2.1.2.10"}, 0},
        WalkOrderCase{"a longer OID below the asked one moves on", kSnmpGetBulk, 2, 0,
                      {"1.3.6.1.2.1.2.2.1.2.9"}, {"1.3.6.1.2.1.2.2.1.2.9.0"}, 1},
        WalkOrderCase{"two repeaters each move on by themselves", kSnmpGetBulk, 2, 0,
                      {"1.3.6.1.2.1.2.2.1.2", "1.3.6.1.2.1.2.2.1.5"},
                      {"1.3.6.1.2.1.2.2.1.2.1", "1.3.6.1.2.1.2.2.1.5.1", "1.3.6.1.2.1.2.2.1.2.2",
                       "1.3.6.1.2.1.2.2.1.5.1"}, 3},
        WalkOrderCase{"a non-repeater answers once", kSnmpGetBulk, 2, 1,
                      {"1.3.6.1.2.1.1.3", "1.3.6.1.2.1.2.2.1.2"},
                      {"1.3.6.1.2.1.1.3.0", "1.3.6.1.2.1.2.2.1.2.1", "1.3.6.1.2.1.2.2.1.2.2"}, 3},
        WalkOrderCase{"a get is not a walk", kSnmpGet, 2, 0, {"1.3.6.1.2.1.1.3.0"},
                      {"1.3.6.1.2.1.1.3.0"}, 1}),
    [](const testing::TestParamInfo<WalkOrderCase>& info) {
      std::string name;
      for (const char* c = info.param.Name; *c; ++c) {
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
      }
      return name;
    });

}  // namespace
}  // namespace linkwatch::netsnmp
