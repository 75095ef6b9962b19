#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ControlFixture.h"

namespace linkwatch {
namespace {

using testing_control::DeviceFixture;

class StartMonitoringTest : public DeviceFixture {};

TEST_F(StartMonitoringTest, FailedStartsSayWhyAndChangeNothing) {
  struct Case {
    const char* what;
    std::string target;
    int16_t version;
    std::string expected;
  };
  const Case cases[] = {
      {"unresolvable name", "nosuchhost", 0, "Cannot resolve 'nosuchhost' to an IP Address."},
      {"silent address", "10.1.2.3", 0,
       "10.1.2.3 does not respond to SNMP Queries using 'public'"},
      {"silent SNMPv3 device", "10.1.2.3", 3,
       "10.1.2.3 does not respond to SNMP Queries. No response from the device."},
  };
  engine.RefuseVersion(1);
  engine.RefuseVersion(2);
  engine.RefuseVersion(3);
  for (const Case& c : cases) {
    control->SetTarget(c.target);
    control->SetSNMPVersion(c.version);
    EXPECT_FALSE(control->StartMonitoring()) << c.what;
    EXPECT_EQ(control->LastError(), c.expected) << c.what;
    EXPECT_FALSE(control->Active()) << c.what;
    EXPECT_FALSE(timer.Enabled()) << c.what;
    EXPECT_EQ(control->Interfaces(), nullptr) << c.what;
    EXPECT_EQ(control->PollID(), 0) << c.what;
  }
  EXPECT_EQ(control->SNMPVersion(), 3) << "SNMPv3 stays selected after a failed start";
}

// An address is used without resolving; the version is detected again on every
// start, preferring v2c; every start is a new run with a new collection.
TEST_F(StartMonitoringTest, EveryStartDetectsTheVersionAndBeginsANewRun) {
  AddDevice(2);
  control->SetSNMPVersion(1);
  ASSERT_TRUE(control->StartMonitoring()) << control->LastError();
  EXPECT_EQ(control->IP(), "10.1.2.3");
  EXPECT_EQ(control->LastError(), "");
  EXPECT_EQ(control->SNMPVersion(), 2);

  const auto first = control->Interfaces();
  ASSERT_TRUE(control->StartMonitoring());
  EXPECT_EQ(control->PollID(), 2);
  EXPECT_NE(control->Interfaces(), first);
  EXPECT_TRUE(control->Active());
  EXPECT_TRUE(timer.Enabled());
}

TEST_F(StartMonitoringTest, AnEmptyV2cAnswerFallsBackToV1) {
  // An agent that answers SNMPv2c with exceptions (empty values) and v1 properly.
  engine.SetResponder([](const SnmpMessage& request) {
    SnmpMessage response = request;
    for (SnmpBinding& binding : response.Bindings) {
      if (request.Version == 2) {
        binding.Value.clear();
        binding.ValueType = kSnmpNoSuchObject;
      } else {
        binding.Value = binding.OID == "1.3.6.1.2.1.2.1.0" ? "4" : "1.3.6.1.4.1.9.1.1";
      }
    }
    return response;
  });
  control->SetSNMPVersion(2);
  ASSERT_TRUE(control->StartMonitoring());
  EXPECT_EQ(control->SNMPVersion(), 1);
  EXPECT_EQ(control->InterfaceCount(), 4);
}

TEST_F(StartMonitoringTest, BulkSizeFollowsTheInterfaceCount) {
  // Devices also report counts no 32-bit count holds, negative ones and text:
  // the start never fails for that and a bulk walk always asks for at least one.
  const struct {
    std::string ifNumber;
    int32_t count;
    int bulkSize;
  } cases[] = {{"5", 5, 6}, {"21", 21, 20}, {"none", 0, 1},
               {"18446744073709551615", INT32_MAX, 20}};
  for (const auto& c : cases) {
    AddDevice(1);
    engine.SetObject("1.3.6.1.2.1.2.1.0", c.ifNumber, kSnmpInteger);
    ASSERT_TRUE(control->StartMonitoring()) << "ifNumber '" << c.ifNumber << "'";
    EXPECT_EQ(State().BulkSize, c.bulkSize) << "ifNumber '" << c.ifNumber << "'";
    EXPECT_EQ(control->InterfaceCount(), c.count) << "ifNumber '" << c.ifNumber << "'";
  }
}

// Restart polls afresh while monitoring runs; stop ends it and forgets the list,
// after which restart does nothing.
TEST_F(StartMonitoringTest, RestartPollsAfreshAndStopEndsMonitoring) {
  AddDevice(2);
  Start("STATUS");
  clock.AdvanceSeconds(100);
  size_t sent = SentCount();
  control->Restart();
  EXPECT_GT(SentCount(), sent);
  EXPECT_EQ(control->NextPoll(), AddSeconds(clock.Now(), 7)) << "a first-time poll";

  const auto interfaces = control->Interfaces();
  std::vector<bool> statuses;
  control->Status.Subscribe([&](bool& active) { statuses.push_back(active); });
  control->StopMonitoring();
  EXPECT_FALSE(control->Active());
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(control->StatisticsList(), "");
  EXPECT_EQ(statuses, std::vector<bool>{false});
  EXPECT_EQ(control->Interfaces(), interfaces);
  EXPECT_EQ(control->PollID(), 1);

  // The same list again is a change now: the table is laid out again.
  control->SetStatisticsList("STATUS");
  EXPECT_EQ(control->ColumnList(), "STATUS");
  sent = SentCount();
  control->Restart();
  EXPECT_EQ(SentCount(), sent);
}

}  // namespace
}  // namespace linkwatch
