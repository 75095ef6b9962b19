// Every statistic of the shipped statistics file that reads the device, polled by
// the control from the simulated devices: it resolves in the MIB catalogue, its
// column walks, and some row shows a text for it.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "HostFixture.h"
#include "common/Globals.h"
#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "model/InterfaceChildren.h"
#include "statistics/StatisticTemplate.h"
#include "support/SnmpsimAgent.h"

namespace linkwatch {
namespace {

using testing_host::HostFixture;

// Between them these devices carry every table the statistics file reads.
const std::vector<std::string> kDevices = {"switch48", "accesspoint", "edgerouter"};

// Statistics that no simulated device shows, and why. Each must stay empty: one
// that starts showing a text is taken off this list.
const std::map<std::string, std::string> kNotShown = {
    {"Disassociate Time",
     "empty while the client answers; monitoring_snmpsim_test shows it once a client left"},
    {"Client AppleTalk Address",
     "reads five octets (type, network, node); the simulated clients' addresses are four-octet "
     "IPv4 addresses"},
    {"Counters Reset Time",
     "ifCounterDiscontinuityTime is 0 on every simulated interface: counters never reset"},
};

// The first text a row of the control shows for the statistic: an interface's,
// or else a child's (wireless clients); empty when none shows one.
std::string ShownText(InterfaceList& list, const std::string& statistic) {
  const auto interfaces = list.Interfaces();
  if (!interfaces) return {};
  for (const auto& row : *interfaces) {
    const auto own = row->Statistics()->Item(statistic);
    if (own && !own->ParsedValue().empty()) return own->ParsedValue();
    for (const auto& child : *row->Children()) {
      const auto stat = child->Statistics()->Item(statistic);
      if (stat && !stat->ParsedValue().empty()) return stat->ParsedValue();
    }
  }
  return {};
}

class ShippedStatisticsSnmpsimTest : public HostFixture {};

TEST_F(ShippedStatisticsSnmpsimTest, EveryStatisticResolvesWalksAndShowsAText) {
  // Interface Name first: client rows take their MAC address from the name.
  std::vector<std::string> names;
  std::string list = "Interface Name";
  for (const auto& definition : *Globals::Templates()) {
    // The user's own check box column reads nothing from the device.
    if (definition->MIB() == StatisticTemplate::kEnableCheckbox) continue;
    EXPECT_NE(definition->OID(), nullptr)
        << definition->StatName() << ": " << definition->MIB() << " is not in the MIB catalogue";
    names.push_back(definition->StatName());
    if (definition->StatName() != "Interface Name") list += "," + definition->StatName();
  }
  ASSERT_GE(names.size(), 165u);

  // One control per device, each polling every statistic, all at once.
  std::vector<std::unique_ptr<InterfaceList>> controls;
  std::vector<int> cycles(kDevices.size(), 0);
  for (size_t i = 0; i < kDevices.size(); ++i) {
    auto control = std::make_unique<InterfaceList>();
    control->SetTarget("127.0.0.1");
    control->SetSNMPPort(testing_host::SharedSimulator().Port());
    control->SetSNMPTimeoutMs(2000);
    control->SetSNMPRetries(1);
    control->SetCommunity(kDevices[i]);
    control->SetStatisticsList(list);
    control->Status.Subscribe([&cycles, i](bool&) { ++cycles[i]; });
    ASSERT_TRUE(control->StartMonitoring()) << kDevices[i] << ": " << control->LastError();
    controls.push_back(std::move(control));
  }
  // Rates need the second poll, 7 s after the first; host names come from the
  // resolver later still.
  auto textOf = [&](const std::string& name) {
    for (const auto& control : controls) {
      const std::string text = ShownText(*control, name);
      if (!text.empty()) return text;
    }
    return std::string();
  };
  auto everyOneShown = [&] {
    for (const std::string& name : names) {
      if (!kNotShown.count(name) && textOf(name).empty()) return false;
    }
    return true;
  };
  const bool secondPolls = support::RunEventLoopUntil(
      [&] {
        for (int count : cycles) {
          if (count < 3) return false;
        }
        return true;
      },
      std::chrono::seconds(40));
  EXPECT_TRUE(secondPolls) << "the second poll of every device did not end";
  support::RunEventLoopUntil(everyOneShown, std::chrono::seconds(20));

  int shownCount = 0;
  for (const std::string& name : names) {
    const auto reason = kNotShown.find(name);
    if (reason != kNotShown.end()) {
      EXPECT_EQ(textOf(name), "") << name << " shows a text now; take it off the list ("
                                << reason->second << ")";
      continue;
    }
    const std::string text = textOf(name);
    EXPECT_FALSE(text.empty()) << name << " (" << Globals::Templates()->Item(name)->MIB()
                               << ") shows nothing on any simulated device";
    // A name that fails to resolve shows as "DNS: ..."; nothing else may show an error.
    EXPECT_EQ(text.find("DNS:"), std::string::npos) << name << ": " << text;
    if (!text.empty()) ++shownCount;
  }
  EXPECT_EQ(shownCount + static_cast<int>(kNotShown.size()), static_cast<int>(names.size()));
  for (size_t i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(controls[i]->LastError(), "") << kDevices[i];
  }
}

}  // namespace
}  // namespace linkwatch
