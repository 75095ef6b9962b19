// The control end to end against net-snmp's agent on loopback: start over each
// SNMP version, learn the device, and show this machine's interfaces with their values.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "HostFixture.h"
#include "model/Interfaces.h"
#include "support/SnmpdAgent.h"

namespace linkwatch {
namespace {

using support::SnmpdAgent;
using support::SnmpdOptions;
using testing_host::HostFixture;

constexpr const char* kEveryday =
    "Interface Name,Interface Status,Interface Type,In Traffic,Out Traffic,Speed";

// Generous, for a machine with hundreds of interfaces walked one row a request (v1).
constexpr std::chrono::seconds kCycleDeadline{60};

struct VersionCase {
  std::string Name;
  SnmpdOptions Agent;
  std::function<void(InterfaceList&)> Configure;
  int16_t Detected;  // the version the control ends up speaking
};
void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.Name; }

class MonitoringOverEachVersion : public HostFixture,
                                  public ::testing::WithParamInterface<VersionCase> {};

// Start, first cycle, a second poll, and then every interface shown has its name,
// status, type and a traffic rate. (That the walks find every interface of the
// machine, the engine's column walks check.)
TEST_P(MonitoringOverEachVersion, ShowsTheInterfacesOfTheMachine) {
  SnmpdAgent agent(GetParam().Agent);
  ASSERT_TRUE(agent.Start()) << agent.Error();
  InterfaceList& list = MakeControl(agent.Port(), kEveryday);
  GetParam().Configure(list);
  ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
  ASSERT_TRUE(WaitForCycles(2, kCycleDeadline)) << "the first cycle's two chains did not end";
  // The system group learnt from the agent (its routing: the control's unit tests).
  EXPECT_EQ(list.MachineType(), "Linux");

  list.Poll(false);
  ASSERT_TRUE(WaitForCycles(1, kCycleDeadline)) << "the second poll did not end";

  const auto interfaces = list.Interfaces();
  ASSERT_GT(interfaces->Count(), 0);
  for (const auto& row : *interfaces) {
    const auto stats = row->Statistics();
    for (const char* name : {"Interface Name", "Interface Status", "Interface Type"}) {
      ASSERT_NE(stats->Item(name), nullptr) << name << " of " << row->Key();
      EXPECT_FALSE(stats->Item(name)->ParsedValue().empty()) << name << " of " << row->Key();
    }
    const auto traffic = stats->Item("In Traffic");
    ASSERT_NE(traffic, nullptr);
    EXPECT_FALSE(traffic->Baselining()) << "a rate after two polls, " << row->Key();
    EXPECT_NE(traffic->ParsedValue(), "");
  }
  EXPECT_EQ(ValueOf(1, "Interface Name"), "lo");
  EXPECT_EQ(ValueOf(1, "Interface Type"), "softwareLoopback");
  EXPECT_EQ(interfaces->Item("I:1")->Statistics()->Item("Interface Status")->CheckBoxValue(), -1)
      << "lo is up";
  EXPECT_EQ(list.SNMPVersion(), GetParam().Detected);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, MonitoringOverEachVersion,
    ::testing::Values(
        // The v2c try goes unanswered, so the control falls back to v1 and walks with
        // get-next, whatever version the host asked for.
        VersionCase{"v1_only_agent", testing_host::V1OnlyAgent(),
                    [](InterfaceList& l) {
                      l.SetCommunity("oldfashioned");
                      l.SetSNMPVersion(2);
                    },
                    1},
        VersionCase{"v2c", {}, [](InterfaceList& l) { l.SetCommunity("public"); }, 2},
        VersionCase{"v3_with_authentication_and_privacy", testing_host::WatcherAgent(),
                    [](InterfaceList& l) { testing_host::SpeakV3(l); }, 3}),
    [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace linkwatch
