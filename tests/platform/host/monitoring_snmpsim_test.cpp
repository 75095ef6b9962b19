// The control end to end against simulated devices: a 48-port switch whose
// octet counters grow at known rates, and a wireless access point with clients.
#include <gtest/gtest.h>

#include <string>

#include "HostFixture.h"
#include "model/Interfaces.h"
#include "support/SnmpsimAgent.h"

namespace linkwatch {
namespace {

using support::SnmpsimAgent;
using testing_host::HostFixture;

class MonitoringSnmpsimTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    agent = &testing_host::SharedSimulator();
  }
  SnmpsimAgent* agent = nullptr;
};

TEST_F(MonitoringSnmpsimTest, TrafficOfTheSwitchMatchesItsCounters) {
  InterfaceList& list = MakeControl(agent->Port(), "Interface Name,In Traffic,Out Traffic");
  list.SetCommunity("switch48");
  ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
  EXPECT_EQ(list.InterfaceCount(), 50);
  ASSERT_TRUE(WaitForCycles(2));
  EXPECT_EQ(list.Vendor(), "Cisco");
  // The second poll comes from the control's own timer, 7 seconds after the first.
  ASSERT_TRUE(WaitForCycles(1, std::chrono::seconds(20)));

  const auto interfaces = list.Interfaces();
  int checked = 0;
  for (const auto& rate : agent->InterfaceRates("switch48")) {
    const auto row = interfaces->Item("I:" + std::to_string(rate.IfIndex));
    ASSERT_NE(row, nullptr) << rate.IfIndex;
    const auto in = row->Statistics()->Item("In Traffic");
    const auto out = row->Statistics()->Item("Out Traffic");
    ASSERT_NE(in, nullptr);
    ASSERT_FALSE(in->Baselining());
    // Rates count whole seconds between samples about 7 s apart, so one second
    // either way is 15 %; a loaded machine adds the delay between the simulator
    // reading its clock and the control taking the sample.
    EXPECT_NEAR(in->CurrentValue(), rate.InOctetsPerSecond, 0.3 * rate.InOctetsPerSecond + 1)
        << "ifIndex " << rate.IfIndex;
    EXPECT_NEAR(out->CurrentValue(), rate.OutOctetsPerSecond, 0.3 * rate.OutOctetsPerSecond + 1)
        << "ifIndex " << rate.IfIndex;
    ++checked;
  }
  EXPECT_GE(checked, 48);
  EXPECT_EQ(interfaces->Item("I:1")->Name(), "GigabitEthernet0/1");
}

// The access point's clients become named children of their radio, with the
// address, the card's maker and the host name read and resolved for each. (How a
// client that leaves is stamped, the control's child-row tests check.)
TEST_F(MonitoringSnmpsimTest, ClientsAreNamedChildrenOfTheirRadio) {
  InterfaceList& list = MakeControl(agent->Port(),
                                    "Interface Name,Client IP Address,Card Manufacturer,"
                                    "Client Host Name");
  list.SetCommunity("accesspoint");
  const std::string phone = "C:1.5.103.117.101.115.116.60.90.180.15.30.45";  // guest 3C5A.B40F.1E2D
  // ifIndex 1, SSID "corp" (length 4, then its octets), MAC 3C:2E:FF:12:34:56.
  const std::string anna = "C:1.4.99.111.114.112.60.46.255.18.52.86";

  ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
  ASSERT_TRUE(WaitForCycles(2));

  const auto radio = list.Interfaces()->Item("I:1");
  EXPECT_EQ(radio->Children()->Count(), 3);
  EXPECT_EQ(list.Interfaces()->Item("I:3")->Children()->Count(), 1);
  EXPECT_EQ(radio->Children()->Item(phone)->Name(), "Client guest 3C5A.B40F.1E2D");
  const auto stats = radio->Children()->Item(anna)->Statistics();
  EXPECT_EQ(radio->Children()->Item(anna)->Name(), "Client corp 3C2E.FF12.3456");
  EXPECT_EQ(stats->Item("Client IP Address")->ParsedValue(), "127.0.0.1");
  EXPECT_EQ(stats->Item("Card Manufacturer")->ParsedValue(), "Apple, Inc.");
  // The host name of 127.0.0.1 comes back from the resolver as a new value.
  ASSERT_TRUE(support::RunEventLoopUntil(
      [&] { return !stats->Item("Client Host Name")->ParsedValue().empty(); },
      std::chrono::seconds(20)));
  EXPECT_EQ(stats->Item("Client Host Name")->ParsedValue().find("DNS:"), std::string::npos);
}

}  // namespace
}  // namespace linkwatch
