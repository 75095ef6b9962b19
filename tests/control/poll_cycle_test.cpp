#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fakes/ControlFixture.h"

namespace linkwatch {
namespace {

using testing_control::DeviceFixture;

class PollCycleTest : public DeviceFixture {
 protected:
  void SetUp() override { AddDevice(3); }

  // Runs every walk to its end and counts the Status events of the cycle.
  int FinishCycle() {
    int statuses = 0;
    const int token = control->Status.Subscribe([&](bool&) { ++statuses; });
    engine.DeliverAll();
    control->Status.Unsubscribe(token);
    return statuses;
  }
};

TEST_F(PollCycleTest, ACycleWalksTheListThenTheMissingChecksTwoChainsSideBySide) {
  control->SetStatisticsList("TRAFFIC IN,STATUS");
  int systemComplete = 0;
  control->SystemMIBComplete.Subscribe([&] { ++systemComplete; });
  ASSERT_TRUE(control->StartMonitoring());

  // The system walk and the first statistic start together.
  EXPECT_EQ(AsyncTags(), (std::vector<std::string>{"1:SYSTEM:1.3.6.1.2.1.1.",
                                                   "1:TRAFFIC IN:1.3.6.1.2.1.2.2.1.10."}));
  // Both chains end in a refresh and a Status event.
  EXPECT_EQ(FinishCycle(), 2);
  EXPECT_GE(systemComplete, 1);

  const std::vector<std::string> tags = AsyncTags();
  auto walked = [&](const std::string& tag) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
  };
  EXPECT_TRUE(walked("1:STATUS:1.3.6.1.2.1.2.2.1.8."));
  EXPECT_TRUE(walked("1:AdminStatusCHECK:1.3.6.1.2.1.2.2.1.7."));
  EXPECT_TRUE(walked("1:ifDescrCHECK:1.3.6.1.2.1.2.2.1.2."));
  EXPECT_TRUE(walked("1:ifSpeedCHECK:1.3.6.1.2.1.2.2.1.5."));

  // What the walks brought: the system group and every interface.
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
  // The check walks deliver their values as statistics of their own name.
  EXPECT_NE(third->Statistics()->Item("ifDescrCHECK"), nullptr);
}

TEST_F(PollCycleTest, AStatisticOfACheckedColumnSparesItsCheckWalk) {
  platform_.Platform().Mib().Register("IFDESCR", "1.3.6.1.2.1.2.2.1.2");
  Globals::Templates()->RefreshFromText(
      R"(<Portsight><Statistics><Statistic Name="NAME" MIB="ifDescr"/></Statistics></Portsight>)");
  control->SetStatisticsList("NAME");
  ASSERT_TRUE(control->StartMonitoring());
  FinishCycle();
  for (const std::string& tag : AsyncTags()) EXPECT_EQ(tag.find("ifDescrCHECK"), std::string::npos);
  EXPECT_EQ(control->Interfaces()->Item("I:2")->Name(), "eth2");
}

TEST_F(PollCycleTest, AnEmptyListGoesStraightToTheChecks) {
  ASSERT_TRUE(control->StartMonitoring());
  EXPECT_EQ(AsyncTags(), (std::vector<std::string>{"1:SYSTEM:1.3.6.1.2.1.1.",
                                                   "1:AdminStatusCHECK:1.3.6.1.2.1.2.2.1.7."}));
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
  FinishCycle();
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
  FinishCycle();
  EXPECT_EQ(control->SecondsTillUpdate(), 30);

  clock.AdvanceSeconds(40);
  timer.Tick();
  EXPECT_EQ(pollsStarted(), 2) << "later polls only with AutoUpdate";

  control->SetAutoUpdate(true);
  timer.Tick();
  EXPECT_EQ(pollsStarted(), 3) << "NextPoll has passed: the next tick polls at once";
  FinishCycle();

  // A PollTimer handler that clears its argument stops regular polling.
  control->PollTimer.Subscribe([](bool& autoUpdate) { autoUpdate = false; });
  clock.AdvanceSeconds(40);
  timer.Tick();
  EXPECT_FALSE(control->AutoUpdate());
  EXPECT_EQ(pollsStarted(), 3);
}

TEST_F(PollCycleTest, PollOnAnInactiveControlOnlyResetsTheCycle) {
  control->SetStatisticsList("STATUS");
  State().NextStatisticIndex = 5;
  State().AdminStatusSeen = true;
  control->Poll(false);
  EXPECT_EQ(State().NextStatisticIndex, 0);
  EXPECT_FALSE(State().AdminStatusSeen);
  EXPECT_EQ(SentCount(), 0u);
  EXPECT_FALSE(timer.Enabled());
}

TEST_F(PollCycleTest, SynchronousPollsStartEveryWalkAtOnce) {
  control->SetStatisticsList("TRAFFIC IN,STATUS,ENABLE");
  control->SetSynchronous(true);
  ASSERT_TRUE(control->StartMonitoring());
  // ENABLE has no MIB object: it sends nothing.
  EXPECT_EQ(AsyncTags(), (std::vector<std::string>{"1:SYSTEM:1.3.6.1.2.1.1.",
                                                   "1:TRAFFIC IN:1.3.6.1.2.1.2.2.1.10.",
                                                   "1:STATUS:1.3.6.1.2.1.2.2.1.8."}));
  EXPECT_EQ(State().NextStatisticIndex, 3);
}

TEST_F(PollCycleTest, AStatisticWithoutAWalkEndsItsChain) {
  control->SetStatisticsList("ENABLE,STATUS");
  ASSERT_TRUE(control->StartMonitoring());
  // The system chain takes STATUS when its walk ends; the first chain stopped at ENABLE.
  EXPECT_EQ(AsyncTags(), (std::vector<std::string>{"1:SYSTEM:1.3.6.1.2.1.1."}));
  EXPECT_EQ(FinishCycle(), 1);
}

TEST_F(PollCycleTest, SNMPGetNextCompletesTheBaseOfAWalk) {
  ASSERT_TRUE(control->StartMonitoring());
  std::string base;
  control->SNMPGetNext("X", "1.3.6.1.2.1.2.2.1.10", base);
  EXPECT_EQ(base, "1.3.6.1.2.1.2.2.1.10.");
  EXPECT_EQ(engine.Sent().back().Message.Bindings.Item(0).OID, "1.3.6.1.2.1.2.2.1.10.");
  EXPECT_EQ(engine.Sent().back().Message.Tag, "1:X:1.3.6.1.2.1.2.2.1.10.");

  std::string given = "1.3.6.1.2.1.2.2.1.";
  control->SNMPGetNext("X", "1.3.6.1.2.1.2.2.1.10.2", given);
  EXPECT_EQ(given, "1.3.6.1.2.1.2.2.1.");
  EXPECT_EQ(engine.Sent().back().Message.Tag, "1:X:1.3.6.1.2.1.2.2.1.");
}

TEST_F(PollCycleTest, ACycleIsCompleteWhenNoWalkIsInProgress) {
  control->SetStatisticsList("STATUS");
  std::vector<int32_t> inProgressAtStatus;
  control->Status.Subscribe([&](bool&) { inProgressAtStatus.push_back(control->WalksInProgress()); });
  ASSERT_TRUE(control->StartMonitoring());
  EXPECT_EQ(control->WalksInProgress(), 2);  // the system walk and the first statistic
  engine.DeliverAll();
  EXPECT_EQ(control->WalksInProgress(), 0);
  // Two chains end the first cycle; only the second Status finds no walk left.
  EXPECT_EQ(inProgressAtStatus, (std::vector<int32_t>{1, 0}));
}

}  // namespace
}  // namespace linkwatch
