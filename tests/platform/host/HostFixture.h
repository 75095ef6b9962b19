#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>

#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "platform/host/HostPlatform.h"
#include "platform/qt/QtEventLoop.h"
#include "statistics/StatisticTemplates.h"
#include "support/EventLoop.h"

namespace linkwatch::testing_host {

// The real platform on this thread with the shipped statistics file, and helpers
// that run the event loop until the control has finished its poll cycles.
class HostFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static std::unique_ptr<QApplication> app = QtEventLoop::EnsureApplication();
  }

  void SetUp() override {
    StatisticTemplates::SetFileOverride(std::string(LINKWATCH_SOURCE_DIR) + "/data/OSTLNK9.cfg");
    HostPlatform::InstallForThisThread(HostPlatformOptions{false});
  }
  void TearDown() override {
    control.reset();
    Globals::Reset();
    StatisticTemplates::SetFileOverride("");
  }

  // A control aimed at an agent on loopback, counting its Status events.
  InterfaceList& MakeControl(int port, const std::string& statistics) {
    control = std::make_unique<InterfaceList>();
    control->SetTarget("127.0.0.1");
    control->SetSNMPPort(port);
    control->SetSNMPTimeoutMs(1000);
    control->SetSNMPRetries(1);
    control->SetStatisticsList(statistics);
    control->Status.Subscribe([this](bool&) { ++statusEvents; });
    return *control;
  }

  // Runs the loop until `count` more cycles have ended (a Status event each).
  bool WaitForCycles(int count, std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    const int target = statusEvents + count;
    return support::RunEventLoopUntil([&] { return statusEvents >= target; }, deadline);
  }

  std::unique_ptr<InterfaceList> control;
  int statusEvents = 0;
};

}  // namespace linkwatch::testing_host
