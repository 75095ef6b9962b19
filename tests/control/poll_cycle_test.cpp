#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ControlFixture.h"

namespace linkwatch {
namespace {

using testing_control::DeviceFixture;

class PollCycleTest : public DeviceFixture {
 protected:
  void SetUp() override { AddDevice(3); }
};

// The system walk and the first listed walk start side by side; a statistic
// without a walk ends its chain; synchronous polls start every walk at once.
struct FirstWalksCase {
  const char* Name;
  const char* List;
  bool Synchronous;
  std::vector<std::string> Tags;
};

class FirstWalksTest : public PollCycleTest,
                       public ::testing::WithParamInterface<FirstWalksCase> {};

TEST_P(FirstWalksTest, AStartSendsTheseWalks) {
  control->SetStatisticsList(GetParam().List);
  control->SetSynchronous(GetParam().Synchronous);
  ASSERT_TRUE(control->StartMonitoring());
  EXPECT_EQ(AsyncTags(), GetParam().Tags);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, FirstWalksTest,
    ::testing::Values(
        FirstWalksCase{"EmptyListGoesToTheChecks", "", false,
                       {"1:SYSTEM:1.3.6.1.2.1.1.", "1:AdminStatusCHECK:1.3.6.1.2.1.2.2.1.7."}},
        // The system chain takes STATUS when its walk ends.
        FirstWalksCase{"NoWalkEndsTheChain", "ENABLE,STATUS", false, {"1:SYSTEM:1.3.6.1.2.1.1."}},
        FirstWalksCase{"Synchronous", "TRAFFIC IN,STATUS,ENABLE", true,
                       {"1:SYSTEM:1.3.6.1.2.1.1.", "1:TRAFFIC IN:1.3.6.1.2.1.2.2.1.10.",
                        "1:STATUS:1.3.6.1.2.1.2.2.1.8."}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(PollCycleTest, ACycleWalksTheListThenTheMissingChecksTwoChainsSideBySide) {
  control->SetStatisticsList("TRAFFIC IN,STATUS");
  std::vector<int32_t> inProgressAtStatus;
  control->Status.Subscribe(
      [&](bool&) { inProgressAtStatus.push_back(control->WalksInProgress()); });
  ASSERT_TRUE(control->StartMonitoring());
  EXPECT_EQ(control->WalksInProgress(), 2);
  engine.DeliverAll();

  // Both chains end in a refresh and a Status event; the cycle is complete when
  // the second finds no walk left.
  EXPECT_EQ(inProgressAtStatus, (std::vector<int32_t>{1, 0}));

  // What the walks brought: the system group and every interface, its name,
  // speed and admin status from the check walks.
  EXPECT_EQ(control->SysName(), "switch1");
  EXPECT_EQ(control->SysDescr(), "Test switch");
  EXPECT_EQ(control->SystemOID(), "1.3.6.1.4.1.9.1.1");
  EXPECT_EQ(control->SysContact(), "ops@example.net");
  EXPECT_EQ(control->SysLocation(), "Rack 4");
  const auto interfaces = control->Interfaces();
  ASSERT_EQ(interfaces->Count(), 3);
  const auto third = interfaces->Item("I:3");
  EXPECT_EQ(third->Name(), "eth3");
  EXPECT_EQ(third->Bandwidth(), 100000000.0f);
  EXPECT_EQ(third->AdminStatus(), 2);  // the last interface is down
  EXPECT_EQ(third->Statistics()->Item("STATUS")->CurrentValue(), 2);
  EXPECT_TRUE(third->Statistics()->Item("TRAFFIC IN")->Baselining());
}

TEST_F(PollCycleTest, WalksUseGetNextOverV1AndGetBulkOverV2cAndV3) {
  struct Case {
    int16_t version;
    int16_t kind;
    int32_t maxRepetitions;
  };
  control->SetStatisticsList("STATUS");
  // SNMPv3 is chosen by the host; v2c is detected; v1 once the device refuses v2c.
  for (const Case c : {Case{3, kSnmpGetBulk, 4}, Case{2, kSnmpGetBulk, 4},
                       Case{1, kSnmpGetNext, -1}}) {
    if (c.version == 1) engine.RefuseVersion(2);
    control->SetSNMPVersion(c.version == 3 ? 3 : 0);
    const size_t before = SentCount();
    ASSERT_TRUE(control->StartMonitoring()) << control->LastError();
    EXPECT_EQ(control->SNMPVersion(), c.version);
    bool sawWalk = false;
    for (size_t i = before; i < SentCount(); ++i) {
      const auto& record = engine.Sent()[i];
      if (!record.DeliverByEvent) continue;
      sawWalk = true;
      EXPECT_EQ(record.Message.Version, c.version);
      EXPECT_EQ(record.Message.Kind, c.kind);
      if (c.maxRepetitions >= 0) {
        EXPECT_EQ(record.Message.MaxRepetitions, c.maxRepetitions);  // ifNumber 3 + 1
        EXPECT_EQ(record.Message.NonRepeaters, 0);
      }
    }
    EXPECT_TRUE(sawWalk);
    engine.DropPending();
  }
}

TEST_F(PollCycleTest, TheSecondPollFollowsSevenSecondsLaterThenOnlyWithAutoUpdate) {
  control->SetStatisticsList("STATUS");
  ASSERT_TRUE(control->StartMonitoring());
  engine.DeliverAll();
  EXPECT_EQ(control->SecondsTillUpdate(), 7);

  auto pollsStarted = [&] {
    int polls = 0;
    for (const std::string& tag : AsyncTags()) polls += tag.find(":STATUS:") != std::string::npos;
    return polls;
  };
  clock.AdvanceSeconds(6);
  timer.Tick();
  EXPECT_EQ(pollsStarted(), 1) << "not due yet";

  clock.AdvanceSeconds(2);  // past NextPoll: the second poll, AutoUpdate or not
  timer.Tick();
  EXPECT_EQ(pollsStarted(), 2);
  engine.DeliverAll();
  EXPECT_EQ(control->SecondsTillUpdate(), 30);

  clock.AdvanceSeconds(40);
  timer.Tick();
  EXPECT_EQ(pollsStarted(), 2) << "later polls only with AutoUpdate";

  control->SetAutoUpdate(true);
  timer.Tick();
  EXPECT_EQ(pollsStarted(), 3) << "NextPoll has passed: the next tick polls at once";
  engine.DeliverAll();

  // A PollTimer handler that clears its argument stops regular polling.
  control->PollTimer.Subscribe([](bool& autoUpdate) { autoUpdate = false; });
  clock.AdvanceSeconds(40);
  timer.Tick();
  EXPECT_FALSE(control->AutoUpdate());
  EXPECT_EQ(pollsStarted(), 3);
}

}  // namespace
}  // namespace linkwatch
