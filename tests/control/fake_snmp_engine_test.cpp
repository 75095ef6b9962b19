// The scripted engine stands in for a device in every control test: these checks
// keep its walk answers honest (order, end of view, bulk repetitions, refusals).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/FakeSnmpEngine.h"

namespace linkwatch {
namespace {

class FakeSnmpEngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine_.SetObject("1.3.6.1.2.1.2.2.1.10.2", "200", kSnmpCounter32);
    engine_.SetObject("1.3.6.1.2.1.2.2.1.10.10", "1000", kSnmpCounter32);  // after .2, not after .1
    engine_.SetObject("1.3.6.1.2.1.2.2.1.10.1", "100", kSnmpCounter32);
    engine_.SetObject("1.3.6.1.2.1.2.2.1.7.1", "1", kSnmpInteger, /*writable=*/true);
  }

  SnmpMessage Ask(int16_t kind, std::vector<std::string> oids, int16_t version = 2,
                  int32_t repetitions = 10) {
    SnmpMessage request;
    request.Kind = kind;
    request.Version = version;
    request.MaxRepetitions = repetitions;
    for (const std::string& oid : oids) request.Bindings.Add(oid, "", kSnmpNull);
    bool byEvent = false;
    engine_.Send(request, byEvent);
    return engine_.LastResponse();
  }

  static std::vector<std::string> Oids(const SnmpMessage& response) {
    std::vector<std::string> oids;
    for (const SnmpBinding& binding : response.Bindings) oids.push_back(binding.OID);
    return oids;
  }

  fakes::FakeSnmpEngine engine_;
};

TEST_F(FakeSnmpEngineTest, WalkAnswersFollowNumericOidOrder) {
  struct Case {
    const char* what;
    int16_t kind;
    std::vector<std::string> asked;
    int32_t repetitions;
    std::vector<std::string> answered;
  };
  const std::vector<Case> cases = {
      {"get-next from a base ending in a dot", kSnmpGetNext, {"1.3.6.1.2.1.2.2.1.10."}, 0,
       {"1.3.6.1.2.1.2.2.1.10.1"}},
      {"get-next numbers, not text", kSnmpGetNext, {"1.3.6.1.2.1.2.2.1.10.2"}, 0,
       {"1.3.6.1.2.1.2.2.1.10.10"}},
      {"get-next past the last object", kSnmpGetNext, {"1.3.6.1.2.1.2.2.1.10.10"}, 0, {""}},
      {"bulk of two", kSnmpGetBulk, {"1.3.6.1.2.1.2.2.1.10"}, 2,
       {"1.3.6.1.2.1.2.2.1.10.1", "1.3.6.1.2.1.2.2.1.10.2"}},
      {"bulk to the end of the view", kSnmpGetBulk, {"1.3.6.1.2.1.2.2.1.10.1"}, 10,
       {"1.3.6.1.2.1.2.2.1.10.2", "1.3.6.1.2.1.2.2.1.10.10", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const SnmpMessage response = Ask(c.kind, c.asked, 2, c.repetitions);
    EXPECT_EQ(response.ErrorCode, kSnmpSuccess);
    EXPECT_EQ(Oids(response), c.answered);
    if (c.answered.back().empty()) {
      EXPECT_EQ(response.Bindings.Item(response.Bindings.Count() - 1).ValueType,
                kSnmpEndOfMibView);
    }
  }
}

TEST_F(FakeSnmpEngineTest, GetsSetsAndRefusals) {
  SnmpMessage got = Ask(kSnmpGet, {"1.3.6.1.2.1.2.2.1.10.2", "1.3.6.1.9"});
  ASSERT_EQ(got.Bindings.Count(), 2);
  EXPECT_EQ(got.Bindings.Item(0).Value, "200");
  EXPECT_EQ(got.Bindings.Item(0).HexValue, "C8");
  EXPECT_EQ(got.Bindings.Item(1).ValueType, kSnmpNoSuchObject);
  EXPECT_EQ(Ask(kSnmpGet, {"1.3.6.1.9"}, 1).ErrorCode, kSnmpNoSuchName);

  SnmpMessage write;
  write.Kind = kSnmpSet;
  write.Bindings.Add("1.3.6.1.2.1.2.2.1.7.1", "2", kSnmpInteger);
  bool byEvent = false;
  engine_.Send(write, byEvent);
  EXPECT_EQ(engine_.LastResponse().ErrorCode, kSnmpSuccess);
  EXPECT_EQ(engine_.Object("1.3.6.1.2.1.2.2.1.7.1")->Value, "2");
  write.Bindings.Item(0).OID = "1.3.6.1.2.1.2.2.1.10.1";  // read-only
  engine_.Send(write, byEvent);
  EXPECT_EQ(engine_.LastResponse().ErrorCode, kSnmpWriteRefused);

  engine_.RefuseVersion(2);
  EXPECT_EQ(Ask(kSnmpGet, {"1.3.6.1.2.1.2.2.1.10.2"}).ErrorCode, kSnmpTimeout);
  EXPECT_EQ(Ask(kSnmpGet, {"1.3.6.1.2.1.2.2.1.10.2"}, 1).ErrorCode, kSnmpSuccess);
}

TEST_F(FakeSnmpEngineTest, AsynchronousRequestsWaitUntilDelivered) {
  std::vector<std::string> replies;
  engine_.SetReplyHandler([&](SnmpMessage& response) {
    replies.push_back(response.Tag + "=" + response.Bindings.Item(0).OID);
    // The reply designates the exchange while the handler runs.
    EXPECT_EQ(&response, &engine_.LastResponse());
  });
  SnmpMessage request;
  request.Kind = kSnmpGetNext;
  request.Tag = "1:TRAFFIC IN:1.3.6.1.2.1.2.2.1.10.";
  request.Bindings.Add("1.3.6.1.2.1.2.2.1.10.", "", kSnmpNull);
  bool byEvent = true;
  engine_.Send(request, byEvent);
  EXPECT_TRUE(replies.empty());
  EXPECT_EQ(engine_.PendingCount(), 1u);
  EXPECT_EQ(engine_.DeliverAll(), 1);
  EXPECT_EQ(replies, (std::vector<std::string>{
                         "1:TRAFFIC IN:1.3.6.1.2.1.2.2.1.10.=1.3.6.1.2.1.2.2.1.10.1"}));
  EXPECT_FALSE(engine_.DeliverNext());
}

}  // namespace
}  // namespace linkwatch
