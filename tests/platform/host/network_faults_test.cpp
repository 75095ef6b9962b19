// The control end to end against a real agent through a FaultLink: a link that is
// cut in the middle of a walk (to the control, the same as an agent that dies), a
// slow agent, lost, damaged, doubled and reordered datagrams, and a community the
// agent refuses.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "HostFixture.h"
#include "support/FaultLink.h"
#include "support/SnmpdAgent.h"

namespace linkwatch {
namespace {

using namespace std::chrono_literals;
using support::FaultLink;
using support::LinkDirection;
using support::LinkFault;
using support::LinkFaults;
using support::SnmpdAgent;
using testing_host::HostFixture;
using Clock = std::chrono::steady_clock;
constexpr auto ToAgent = LinkDirection::ToAgent;
constexpr auto ToClient = LinkDirection::ToClient;
constexpr auto Drop = LinkFault::Drop;

constexpr const char* kStatistics = "Interface Name,Interface Status";
// Room for a loaded machine on top of what time-outs and retries allow.
constexpr auto kSlack = 3s;

class NetworkFaultsTest : public HostFixture {
 protected:
  // One agent for every case, behind a link of each case's own.
  static SnmpdAgent& SharedAgent() {
    static SnmpdAgent shared;
    EXPECT_TRUE(shared.Start()) << shared.Error();
    return shared;
  }

  void SetUp() override {
    HostFixture::SetUp();
    ASSERT_TRUE(link.Start()) << link.Error();
  }

  // A v2c control through the link, its first cycle (both chains) complete.
  void StartMonitoringThroughLink() {
    InterfaceList& list = MakeControl(link.Port(), kStatistics);
    list.SetCommunity("public");
    // Enough retries that random losses do not take every try of one request.
    list.SetSNMPRetries(4);
    ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
    ASSERT_TRUE(WaitForCycles(2)) << "the first cycle did not end";
  }

  // Requests the agent was sent during one more poll cycle.
  uint64_t RequestsOfOnePoll() {
    const uint64_t before = link.RequestsSeen();
    control->Poll(false);
    EXPECT_TRUE(WaitForCycles(1)) << "the poll did not end";
    return link.RequestsSeen() - before;
  }

  FaultLink link{SharedAgent().Port()};
};

// --- a link lost in the middle of a walk -----------------------------------------

TEST_F(NetworkFaultsTest, ALinkCutMidWalkEndsTheCycleInBoundedTimeAndTheNextPollRecovers) {
  // Late replies keep the walks going long enough to lose the agent half-way.
  link.SetFaults(ToClient, {.Delay = 100ms});
  InterfaceList& list = MakeControl(link.Port(), kStatistics);
  list.SetCommunity("public");
  ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
  const uint64_t started = link.RequestsSeen();
  ASSERT_TRUE(support::RunEventLoopUntil([&] { return link.RequestsSeen() >= started + 2; }));
  ASSERT_GT(list.WalksInProgress(), 0) << "the walks ended before the agent was lost";

  link.Cut();
  const auto lost = Clock::now();
  // One time-out per try of the request in flight: 1 s, and one retry.
  const auto budget = 2 * 1000ms + 100ms + kSlack;
  ASSERT_TRUE(WaitUntilWalksEnd(budget)) << list.WalksInProgress() << " walks still in flight";
  EXPECT_LT(Clock::now() - lost, budget);
  EXPECT_TRUE(list.Active());

  link.Restore();
  link.SetFaults(ToClient, {});
  const uint64_t beforeRecovery = link.Counts(ToClient).Forwarded;
  list.Poll(false);
  ASSERT_TRUE(WaitForCycles(1, 10s)) << "the poll after the recovery did not end";
  EXPECT_GT(link.Counts(ToClient).Forwarded, beforeRecovery);
  EXPECT_EQ(ValueOf(1, "Interface Name"), "lo");
  EXPECT_EQ(list.WalksInProgress(), 0);
}

// --- damaged traffic --------------------------------------------------------------

struct DamageCase {
  std::string Name;
  LinkDirection Direction;
  LinkFaults Faults;
  bool NeedsRetries;  // true: the damage costs time-outs and retries; false: none
};
void PrintTo(const DamageCase& c, std::ostream* out) { *out << c.Name; }

class DamagedTraffic : public NetworkFaultsTest,
                       public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedTraffic, APollStillCompletesAndReadsEveryValue) {
  ASSERT_NO_FATAL_FAILURE(StartMonitoringThroughLink());
  // A clean poll says how many requests a poll of this agent takes.
  const uint64_t clean = RequestsOfOnePoll();
  ASSERT_GT(clean, 0u);

  link.SetFaults(GetParam().Direction, GetParam().Faults);
  const uint64_t damaged = RequestsOfOnePoll();
  if (GetParam().NeedsRetries) {
    EXPECT_GT(damaged, clean) << "the engine's retries should have repaired the losses";
  } else {
    EXPECT_EQ(damaged, clean) << "the damage should have been ignored without a retry";
  }
  if (GetParam().Faults.Fault != LinkFault::None) {
    EXPECT_GT(link.Counts(GetParam().Direction).Hit, 0u) << "the fault never hit";
  }
  EXPECT_EQ(ValueOf(1, "Interface Name"), "lo");
  EXPECT_EQ(control->WalksInProgress(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedTraffic,
    ::testing::Values(
        DamageCase{"every_other_reply_lost", ToClient, {.Fault = Drop, .Every = 2}, true},
        DamageCase{"every_other_request_corrupted", ToAgent,
                   {.Fault = LinkFault::Corrupt, .Every = 2}, true},
        DamageCase{"every_other_reply_cut_short", ToClient,
                   {.Fault = LinkFault::Truncate, .Every = 2, .TruncateTo = 20}, true},
        DamageCase{"every_other_reply_with_a_wrong_request_id", ToClient,
                   {.Fault = LinkFault::RewriteRequestId, .Every = 2}, true},
        DamageCase{"replies_held_back_and_reordered", ToClient,
                   {.Fault = LinkFault::Reorder, .Every = 2}, true},
        DamageCase{"garbage_before_every_reply", ToClient,
                   {.Fault = LinkFault::GarbageFirst}, false},
        DamageCase{"a_wrong_request_id_before_every_reply", ToClient,
                   {.Fault = LinkFault::WrongRequestIdFirst}, false},
        DamageCase{"every_reply_twice", ToClient, {.Fault = LinkFault::Duplicate}, false},
        // A slow agent within the time-out: nothing goes again.
        DamageCase{"every_reply_300_ms_late", ToClient, {.Delay = 300ms}, false}),
    [](const auto& info) { return info.param.Name; });

// --- a refused community ----------------------------------------------------------

// SNMPv2c, then SNMPv1: a try and one retry each, and nothing after.
TEST_F(NetworkFaultsTest, AStartWithARefusedCommunityFailsWithinTheTimeOutBudget) {
  InterfaceList& list = MakeControl(link.Port(), kStatistics);
  list.SetCommunity("not-public");

  const auto started = Clock::now();
  EXPECT_FALSE(list.StartMonitoring());
  const auto took = Clock::now() - started;
  EXPECT_EQ(list.LastError(), "127.0.0.1 does not respond to SNMP Queries using 'not-public'");
  // Two exchanges, each a try of 1 s at most and one retry.
  EXPECT_LT(took, 2 * 2 * 1000ms + kSlack);
  EXPECT_FALSE(list.Active());
  EXPECT_EQ(list.WalksInProgress(), 0);
  EXPECT_EQ(link.RequestsSeen(), 4u);
}

}  // namespace
}  // namespace linkwatch
