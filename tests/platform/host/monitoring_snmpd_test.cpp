// The control end to end against net-snmp's agent on loopback: start over each
// SNMP version, learn the device, and show every interface of this machine.
#include <gtest/gtest.h>

#include <net/if.h>

#include <chrono>
#include <set>
#include <string>

#include "HostFixture.h"
#include "model/Interfaces.h"
#include "support/SnmpdAgent.h"

namespace linkwatch {
namespace {

using support::SnmpdAgent;
using support::SnmpdOptions;
using support::SnmpdUser;
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

TEST_F(MonitoringSnmpdTest, MonitorsAnAgentThatSpeaksOnlySNMPv1) {
  // A community the agent serves to SNMPv1 alone: the v2c try goes unanswered,
  // so the control falls back to v1 and walks with get-next.
  SnmpdOptions options;
  options.ReadCommunity = "";
  options.WriteCommunity = "";
  options.ExtraConfig = {
      "com2sec v1only 127.0.0.1 oldfashioned",
      "group v1group v1 v1only",
      "view everything included .1",
      "access v1group \"\" v1 noauth exact everything none none",
  };
  StartAgent(options);
  InterfaceList& list = MakeControl(agent->Port(), kEveryday);
  list.SetCommunity("oldfashioned");
  list.SetSNMPVersion(2);  // whatever the host says, the version is detected
  ExpectEveryInterfaceMonitored(list);
  EXPECT_EQ(list.SNMPVersion(), 1);
}

TEST_F(MonitoringSnmpdTest, AVersionTheHostChoseIsDetectedAgain) {
  StartAgent();
  InterfaceList& list = MakeControl(agent->Port(), "Interface Name");
  list.SetCommunity("public");
  list.SetSNMPVersion(1);
  ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
  EXPECT_EQ(list.SNMPVersion(), 2);
}

TEST_F(MonitoringSnmpdTest, MonitorsOverSNMPv2c) {
  StartAgent();
  InterfaceList& list = MakeControl(agent->Port(), kEveryday);
  list.SetCommunity("public");
  ExpectEveryInterfaceMonitored(list);
  EXPECT_EQ(list.SNMPVersion(), 2);
}

TEST_F(MonitoringSnmpdTest, MonitorsOverSNMPv3WithAuthenticationAndPrivacy) {
  SnmpdOptions options;
  options.Users = {SnmpdUser{"watcher", "SHA", "watcher-auth-pass", "AES", "watcher-priv-pass"}};
  StartAgent(options);
  InterfaceList& list = MakeControl(agent->Port(), kEveryday);
  list.SetSNMPVersion(3);
  list.SetSNMPUsername("watcher");
  list.SetSNMPAuthType(kAuthSha1);
  list.SetSNMPAuthPass("watcher-auth-pass");
  list.SetSNMPEncryptType(kPrivAes128);
  list.SetSNMPEncryptPass("watcher-priv-pass");
  ExpectEveryInterfaceMonitored(list);
  EXPECT_EQ(list.SNMPVersion(), 3);
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
