// The control end to end against simulated devices: a 48-port switch whose
// octet counters grow at known rates, a wireless access point with clients, and
// every shipped statistic on the devices that carry its table.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "HostFixture.h"
#include "common/Globals.h"
#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "model/InterfaceChildren.h"
#include "model/Interfaces.h"
#include "statistics/StatisticTemplate.h"
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

// Every statistic of the shipped file that reads the device, polled from the three
// simulated devices (between them they carry every table the file reads): each
// resolves in the MIB catalogue, its column walks, and some row shows a text.
TEST_F(MonitoringSnmpsimTest, EveryShippedStatisticShowsATextOnSomeDevice) {
  // Shown nowhere, each for a reason; one that starts showing a text leaves the list.
  const std::set<std::string> notShown = {
      "Disassociate Time",         // empty while the client answers
      "Client AppleTalk Address",  // five octets; the simulated clients have IPv4 ones
      "Counters Reset Time"};      // no simulated counter was ever reset
  std::map<std::string, std::string> shown;  // each statistic's first text on any row
  std::string statistics = "Interface Name";  // client rows take their MAC from the name
  for (const auto& definition : *Globals::Templates()) {
    if (definition->MIB() == StatisticTemplate::kEnableCheckbox) continue;  // reads nothing
    EXPECT_NE(definition->OID(), nullptr) << definition->StatName() << ": " << definition->MIB();
    shown[definition->StatName()];
    if (definition->StatName() != "Interface Name") statistics += "," + definition->StatName();
  }
  ASSERT_GE(shown.size(), 165u);

  // One control per device, all polling at once, each counting its cycles.
  std::vector<std::unique_ptr<InterfaceList>> controls;
  std::vector<int> cycles;
  for (const char* device : {"switch48", "accesspoint", "edgerouter"}) {
    InterfaceList& list = *controls.emplace_back(ControlFor(agent->Port(), statistics));
    list.SetSNMPTimeoutMs(2000);  // three controls at once keep the simulator busy
    list.SetCommunity(device);
    list.Status.Subscribe([&cycles, i = cycles.size()](bool&) { ++cycles[i]; });
    cycles.push_back(0);
    ASSERT_TRUE(list.StartMonitoring()) << device << ": " << list.LastError();
  }
  auto collect = [&] {
    auto take = [&](auto& row) {
      for (auto& [name, text] : shown) {
        const auto stat = row.Statistics()->Item(name);
        if (text.empty() && stat) text = stat->ParsedValue();
      }
    };
    for (const auto& control : controls) {
      for (const auto& row : *control->Interfaces()) {
        take(*row);
        for (const auto& child : *row->Children()) take(*child);
      }
    }
    for (const auto& [name, text] : shown) {
      if (text.empty() && !notShown.count(name)) return false;
    }
    return true;
  };
  // Rates need the second poll, 7 s after the first; host names resolve later still.
  EXPECT_TRUE(support::RunEventLoopUntil(
      [&] { return cycles[0] >= 3 && cycles[1] >= 3 && cycles[2] >= 3; }, std::chrono::seconds(40)));
  support::RunEventLoopUntil(collect, std::chrono::seconds(20));
  for (const auto& [name, text] : shown) {
    EXPECT_EQ(text.empty(), notShown.count(name) == 1) << name << ": \"" << text << "\"";
    EXPECT_EQ(text.find("DNS:"), std::string::npos) << name << ": " << text;
  }
  for (const auto& control : controls) EXPECT_EQ(control->LastError(), "");
}

}  // namespace
}  // namespace linkwatch
