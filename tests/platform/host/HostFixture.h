#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>

#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "model/Interfaces.h"
#include "platform/host/HostPlatform.h"
#include "platform/qt/QtEventLoop.h"
#include "statistics/StatisticTemplates.h"
#include "support/EventLoop.h"
#include "support/SnmpdAgent.h"
#include "support/SnmpsimAgent.h"

namespace linkwatch::testing_host {

// One simulator serving every recording for the whole test program. (An SNMPv3
// user makes it much slower to answer: cases that need one start their own.)
inline support::SnmpsimAgent& SharedSimulator() {
  static support::SnmpsimAgent simulator;
  EXPECT_TRUE(simulator.Start()) << simulator.Error();
  return simulator;
}

// An snmpd whose only community, "oldfashioned", it serves to SNMPv1 alone (a v2c
// request with it goes unanswered), read-only.
inline support::SnmpdOptions V1OnlyAgent() {
  return {.ReadCommunity = "",
          .WriteCommunity = "",
          .ExtraConfig = {"com2sec v1only 127.0.0.1 oldfashioned", "group v1group v1 v1only",
                          "view everything included .1",
                          "access v1group \"\" v1 noauth exact everything none none"}};
}

// An snmpd with the SNMPv3 user "watcher" (SHA and AES) besides its communities.
inline support::SnmpdOptions WatcherAgent() {
  return {.Users = {{"watcher", "SHA", "watcher-auth-pass", "AES", "watcher-priv-pass"}}};
}

// Sets a control to speak SNMPv3 with SHA and AES: as the user of WatcherAgent()
// unless told otherwise.
inline void SpeakV3(InterfaceList& list, const std::string& authPass = "watcher-auth-pass",
                      const std::string& privPass = "watcher-priv-pass",
                      const std::string& user = "watcher") {
  list.SetSNMPVersion(3);
  list.SetSNMPUsername(user);
  list.SetSNMPAuthType(kAuthSha1);
  list.SetSNMPAuthPass(authPass);
  list.SetSNMPEncryptType(kPrivAes128);
  list.SetSNMPEncryptPass(privPass);
}

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

  // A control aimed at an agent on loopback, not yet started.
  static std::unique_ptr<InterfaceList> ControlFor(int port, const std::string& statistics) {
    auto list = std::make_unique<InterfaceList>();
    list->SetTarget("127.0.0.1");
    list->SetSNMPPort(port);
    list->SetSNMPTimeoutMs(1000);
    list->SetSNMPRetries(1);
    list->SetStatisticsList(statistics);
    return list;
  }

  // The fixture's control (ControlFor), counting its Status events.
  InterfaceList& MakeControl(int port, const std::string& statistics) {
    control = ControlFor(port, statistics);
    control->Status.Subscribe([this](bool&) { ++statusEvents; });
    return *control;
  }

  // Runs the loop until `count` more cycles have ended (a Status event each).
  bool WaitForCycles(int count, std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    const int target = statusEvents + count;
    return support::RunEventLoopUntil([&] { return statusEvents >= target; }, deadline);
  }

  // Runs the loop until no walk of the control is in flight: every walk ended,
  // with the end of its column or with an error.
  bool WaitUntilWalksEnd(std::chrono::milliseconds deadline) {
    return support::RunEventLoopUntil([&] { return control->WalksInProgress() == 0; }, deadline);
  }

  // The shown value of one statistic of interface ifIndex, or a text in angle
  // brackets that says what is missing.
  std::string ValueOf(int ifIndex, const std::string& statistic) const {
    const auto interfaces = control ? control->Interfaces() : nullptr;
    const auto row = interfaces ? interfaces->Item("I:" + std::to_string(ifIndex)) : nullptr;
    if (!row) return "<no interface " + std::to_string(ifIndex) + ">";
    const auto stat = row->Statistics()->Item(statistic);
    return stat ? stat->ParsedValue() : "<no " + statistic + ">";
  }

  std::unique_ptr<InterfaceList> control;
  int statusEvents = 0;
};

}  // namespace linkwatch::testing_host
