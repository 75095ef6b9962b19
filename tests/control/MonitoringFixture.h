#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/DateFunctions.h"
#include "control/ControlTestSupport.h"
#include "model/Interfaces.h"

namespace linkwatch::testing_control {

// A control on the fake platform talking to a scripted device with a few
// interfaces: the system group, ifNumber and the ifTable columns the control's
// statistics and checks read.
class MonitoringFixture : public ::testing::Test {
 protected:
  MonitoringFixture()
      : control(std::make_unique<InterfaceList>()),
        engine(*platform_.Platform().LastEngine()),
        timer(*platform_.Platform().LastTimer()),
        clock(platform_.Platform().Time()) {
    clock.SetNow(ToSerialDate({2024, 3, 1, 12, 0, 0}));
    control->SetTarget("10.1.2.3");
    control->SetCommunity("public");
  }

  // A device with interfaces 1..count (ifNumber = count).
  void AddDevice(int count) {
    engine.SetObject("1.3.6.1.2.1.1.1.0", "Test switch");
    engine.SetObject("1.3.6.1.2.1.1.2.0", "1.3.6.1.4.1.9.1.1", kSnmpObjectId);
    engine.SetObject("1.3.6.1.2.1.1.3.0", "123456", kSnmpTimeTicks);
    engine.SetObject("1.3.6.1.2.1.1.4.0", "ops@example.net");
    engine.SetObject("1.3.6.1.2.1.1.5.0", "switch1");
    engine.SetObject("1.3.6.1.2.1.1.6.0", "Rack 4");
    engine.SetObject("1.3.6.1.2.1.2.1.0", std::to_string(count), kSnmpInteger);
    for (int i = 1; i <= count; ++i) {
      const std::string n = std::to_string(i);
      engine.SetObject("1.3.6.1.2.1.2.2.1.1." + n, n, kSnmpInteger);
      engine.SetObject("1.3.6.1.2.1.2.2.1.2." + n, "eth" + n);
      engine.SetObject("1.3.6.1.2.1.2.2.1.5." + n, "100000000", kSnmpGauge32);
      engine.SetObject("1.3.6.1.2.1.2.2.1.7." + n, "1", kSnmpInteger, true);
      engine.SetObject("1.3.6.1.2.1.2.2.1.8." + n, i == count ? "2" : "1", kSnmpInteger);
      engine.SetObject("1.3.6.1.2.1.2.2.1.10." + n, std::to_string(1000 * i), kSnmpCounter32);
    }
  }

  // The asynchronous requests sent so far, as their tags.
  std::vector<std::string> AsyncTags() const {
    std::vector<std::string> tags;
    for (const auto& record : engine.Sent()) {
      if (record.DeliverByEvent) tags.push_back(record.Message.Tag);
    }
    return tags;
  }
  size_t SentCount() const { return engine.Sent().size(); }

  ControlState& State() { return InterfaceListInternals::State(*control); }

  ControlTestPlatform platform_;
  std::unique_ptr<InterfaceList> control;
  fakes::FakeSnmpEngine& engine;
  fakes::ManualTimer& timer;
  fakes::ManualClock& clock;
};

}  // namespace linkwatch::testing_control
