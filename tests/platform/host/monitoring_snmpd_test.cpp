// The control end to end against net-snmp's agent on loopback: start over each
// SNMP version, learn the device, and show every interface of this machine.
#include <gtest/gtest.h>

#include <net/if.h>

#include <chrono>
#include <functional>
#include <set>
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

// The interface indexes of this machine, as the kernel numbers them.
std::set<int32_t> MachineInterfaces() {
  std::set<int32_t> indexes;
  if (struct if_nameindex* list = if_nameindex()) {
    for (struct if_nameindex* i = list; i->if_index != 0; ++i) {
      indexes.insert(static_cast<int32_t>(i->if_index));
    }
    if_freenameindex(list);
  }
  return indexes;
}

class MonitoringSnmpdTest : public HostFixture {
 protected:
  void StartAgent(SnmpdOptions options = {}) {
    agent = std::make_unique<SnmpdAgent>(std::move(options));
    ASSERT_TRUE(agent->Start()) << agent->Error();
  }

  // Start, first cycle, a second poll, and then every interface of the machine
  // has its name, status, type and a traffic rate.
  void ExpectEveryInterfaceMonitored(InterfaceList& list) {
    const std::set<int32_t> machineBefore = MachineInterfaces();
    ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
    ASSERT_TRUE(WaitForCycles(2, kCycleDeadline)) << "the first cycle's two chains did not end";
    EXPECT_FALSE(list.SysName().empty());
    EXPECT_FALSE(list.SysDescr().empty());
    EXPECT_EQ(list.SystemOID().rfind("1.3.6.1.4.1.8072.3.2.", 0), 0u) << list.SystemOID();
    EXPECT_EQ(list.MachineType(), "Linux");
    EXPECT_GT(list.SysUpTime(), 0.0f);

    list.Poll(false);
    ASSERT_TRUE(WaitForCycles(1, kCycleDeadline)) << "the second poll did not end";

    // However many interfaces the machine has, each one that was there all along
    // is monitored (on a busy machine others may come and go meanwhile).
    std::set<int32_t> expected;
    for (int32_t index : MachineInterfaces()) {
      if (machineBefore.count(index)) expected.insert(index);
    }
    ASSERT_TRUE(expected.count(1)) << "the loopback interface";
    const auto interfaces = list.Interfaces();
    for (int32_t index : expected) {
      const auto row = interfaces->Item("I:" + std::to_string(index));
      ASSERT_NE(row, nullptr) << "interface " << index;
      const auto stats = row->Statistics();
      for (const char* name : {"Interface Name", "Interface Status", "Interface Type"}) {
        ASSERT_NE(stats->Item(name), nullptr) << name << " of " << index;
        EXPECT_FALSE(stats->Item(name)->ParsedValue().empty()) << name << " of " << index;
      }
      const auto traffic = stats->Item("In Traffic");
      ASSERT_NE(traffic, nullptr);
      EXPECT_FALSE(traffic->Baselining()) << "a rate after two polls, interface " << index;
      EXPECT_NE(traffic->ParsedValue(), "");
      EXPECT_FALSE(row->Name().empty());
    }
    const auto lo = interfaces->Item("I:1");
    ASSERT_NE(lo, nullptr);
    EXPECT_EQ(lo->Statistics()->Item("Interface Name")->ParsedValue(), "lo");
    EXPECT_EQ(lo->Statistics()->Item("Interface Type")->ParsedValue(), "softwareLoopback");
    EXPECT_EQ(lo->Statistics()->Item("Interface Status")->CheckBoxValue(), -1) << "lo is up";
  }

  std::unique_ptr<SnmpdAgent> agent;
};

struct VersionCase {
  std::string Name;
  SnmpdOptions Agent;
  std::function<void(InterfaceList&)> Configure;
  int16_t Detected;  // the version the control ends up speaking
};
void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.Name; }

class MonitoringOverEachVersion : public MonitoringSnmpdTest,
                                  public ::testing::WithParamInterface<VersionCase> {};

TEST_P(MonitoringOverEachVersion, ShowsEveryInterfaceOfTheMachine) {
  StartAgent(GetParam().Agent);
  InterfaceList& list = MakeControl(agent->Port(), kEveryday);
  GetParam().Configure(list);
  ExpectEveryInterfaceMonitored(list);
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
        VersionCase{"v3_with_authentication_and_privacy",
                    {.Users = {{"watcher", "SHA", "watcher-auth-pass", "AES", "watcher-priv-pass"}}},
                    [](InterfaceList& l) {
                      l.SetSNMPVersion(3);
                      l.SetSNMPUsername("watcher");
                      l.SetSNMPAuthType(kAuthSha1);
                      l.SetSNMPAuthPass("watcher-auth-pass");
                      l.SetSNMPEncryptType(kPrivAes128);
                      l.SetSNMPEncryptPass("watcher-priv-pass");
                    },
                    3}),
    [](const auto& info) { return info.param.Name; });

TEST_F(MonitoringSnmpdTest, AVersionTheHostChoseIsDetectedAgain) {
  StartAgent();
  InterfaceList& list = MakeControl(agent->Port(), "Interface Name");
  list.SetCommunity("public");
  list.SetSNMPVersion(1);
  ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
  EXPECT_EQ(list.SNMPVersion(), 2);
}

TEST_F(MonitoringSnmpdTest, ASilentPortFailsWithinSecondsWithTheExactText) {
  const int port = SnmpdAgent::FreeUdpPort();
  InterfaceList& list = MakeControl(port, kEveryday);
  list.SetCommunity("public");
  const auto started = std::chrono::steady_clock::now();
  EXPECT_FALSE(list.StartMonitoring());
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(list.LastError(), "127.0.0.1 does not respond to SNMP Queries using 'public'");
  EXPECT_LT(took, std::chrono::seconds(10)) << "two tries of one second and one retry each";
  EXPECT_FALSE(list.Active());
}

TEST_F(MonitoringSnmpdTest, ANameThatDoesNotResolveSaysSo) {
  InterfaceList& list = MakeControl(161, kEveryday);
  list.SetTarget("no-such-host.invalid");
  EXPECT_FALSE(list.StartMonitoring());
  EXPECT_EQ(list.LastError(), "Cannot resolve 'no-such-host.invalid' to an IP Address.");
}

}  // namespace
}  // namespace linkwatch
