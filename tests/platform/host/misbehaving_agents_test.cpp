// The control end to end against agents that break the rules: one whose walks never
// move on, and simulated devices that report numbers out of range (an ifIndex past
// 32 bits, ifNumber as Gauge32, Counter64, text, or negative). Each cycle must end,
// and the interfaces that behave must still show their values.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "HostFixture.h"
#include "support/TableAgent.h"

namespace linkwatch {
namespace {

using namespace std::chrono_literals;
using support::TableAgent;
using support::TableAgentMode;
using testing_host::HostFixture;

constexpr const char* kStatistics = "Interface Name,In Traffic";

class MisbehavingAgentsTest : public HostFixture {};

TEST_F(MisbehavingAgentsTest, AWalkWhoseOidsNeverIncreaseEnds) {
  TableAgent agent({.Mode = TableAgentMode::RepeatOid});
  ASSERT_TRUE(agent.Start()) << agent.Error();
  InterfaceList& list = MakeControl(agent.Port(), kStatistics);
  list.SetCommunity("public");
  ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
  const int afterStart = agent.RequestCount();

  // A walk that follows the agent asks for the same object forever.
  EXPECT_TRUE(WaitUntilWalksEnd(5s)) << list.WalksInProgress() << " walks still in flight after "
                                     << agent.RequestCount() - afterStart << " requests";
  // Each walk of the cycle (system group, two columns, three checks) needs a
  // request or two before it meets the repeated OID.
  EXPECT_LT(agent.RequestCount() - afterStart, 30);
  // What came before the first repetition arrived.
  EXPECT_EQ(list.SysDescr(), "Linkwatch table agent");
  EXPECT_EQ(ValueOf(1, "Interface Name"), "eth0");
}

class OutOfRangeNumbers : public HostFixture, public ::testing::WithParamInterface<std::string> {};

TEST_P(OutOfRangeNumbers, TheCycleEndsAndTheWellBehavedInterfacesShowTheirValues) {
  InterfaceList& list = MakeControl(testing_host::SharedSimulator().Port(), kStatistics);
  list.SetCommunity(GetParam());
  list.SetSNMPTimeoutMs(3000);  // the simulator is a Python program on a shared machine
  bool started = false;
  EXPECT_NO_THROW(started = list.StartMonitoring());
  ASSERT_TRUE(started) << list.LastError();

  bool ended = false;
  EXPECT_NO_THROW(ended = WaitUntilWalksEnd(10s));
  EXPECT_TRUE(ended) << list.WalksInProgress() << " walks still in flight";
  EXPECT_EQ(ValueOf(1, "Interface Name"), "eth0");
  EXPECT_EQ(ValueOf(2, "Interface Name"), "eth1");
  EXPECT_EQ(list.SysName(), GetParam() + ".example.net");
}

INSTANTIATE_TEST_SUITE_P(Devices, OutOfRangeNumbers,
                         ::testing::Values("odd-bigindex", "odd-ifnumber-gauge32",
                                           "odd-ifnumber-counter64", "odd-ifnumber-text",
                                           "odd-ifnumber-negative"),
                         [](const auto& info) {
                           std::string name = info.param;
                           for (char& c : name) {
                             if (c == '-') c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace linkwatch
