#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ControlFixture.h"

namespace linkwatch {
namespace {

using testing_control::DeviceFixture;

class ProcessReplyTest : public DeviceFixture {
 protected:
  void SetUp() override {
    AddDevice(2);
    ASSERT_TRUE(control->StartMonitoring());
    engine.DropPending();  // the test drives the walks itself
  }

  // A reply to the walk with the given tag, carrying (OID, value) bindings.
  SnmpMessage Reply(const std::string& tag,
                    const std::vector<std::pair<std::string, std::string>>& bindings) {
    SnmpMessage response;
    response.Tag = tag;
    for (const auto& [oid, value] : bindings) {
      response.Bindings.Add(oid, value, kSnmpOctetString);
    }
    return response;
  }

  std::shared_ptr<Statistic> StatisticOf(const std::string& key, const std::string& name) {
    const auto row = control->Interfaces()->Item(key);
    return row ? row->Statistics()->Item(name) : nullptr;
  }
};

TEST_F(ProcessReplyTest, ValuesAreRoutedByInterfaceAndChildIndex) {
  const std::string base = "1.3.6.1.4.1.99.1.1.";
  engine.Deliver(Reply("1:SIGNAL:" + base,
                       {{base + "7", "-40"}, {base + "7.5", "-51"}, {base + "7.1.2", "-62"}}));
  const auto seven = control->Interfaces()->Item("I:7");
  ASSERT_NE(seven, nullptr);
  EXPECT_EQ(seven->Statistics()->Item("SIGNAL")->CurrentValue(), -40);
  ASSERT_NE(seven->Children()->Item("C:7.5"), nullptr);
  EXPECT_EQ(seven->Children()->Item("C:7.5")->Statistics()->Item("SIGNAL")->CurrentValue(), -51);
  ASSERT_NE(seven->Children()->Item("C:7.1.2"), nullptr);
  EXPECT_EQ(seven->Children()->Item("C:7.1.2")->ChildIndex(), "1.2");
  // All bindings lay inside the column: the walk goes on after the last one.
  EXPECT_EQ(engine.Pending(0).Bindings.Item(0).OID, base + "7.1.2.");
  EXPECT_EQ(engine.Pending(0).Tag, "1:SIGNAL:" + base);
}

TEST_F(ProcessReplyTest, AColumnBaseNeverTakesInLongerColumnNumbers) {
  // The walk of ifIndex (column 1) reaches ifInOctets (column 10) next.
  const std::string base = "1.3.6.1.2.1.2.2.1.1.";
  engine.Deliver(Reply("1:IDX:" + base, {{base + "1", "1"},
                                         {"1.3.6.1.2.1.2.2.1.10.1", "5000"},
                                         {"1.3.6.1.2.1.2.2.1.10.2", "6000"}}));
  EXPECT_EQ(StatisticOf("I:1", "IDX")->CurrentValue(), 1);
  EXPECT_EQ(control->Interfaces()->Count(), 1) << "no value of column 10 was routed";
  // The walk ended and the cycle went on with its next step, the next check (the
  // start already began the ifAdminStatus check).
  ASSERT_EQ(engine.PendingCount(), 1u);
  EXPECT_EQ(engine.Pending(0).Tag, "1:ifDescrCHECK:1.3.6.1.2.1.2.2.1.2.");
}

// Replies of an earlier run, of a synchronous exchange, without bindings or with
// an error add nothing and start nothing. What ended this cycle's walk early is
// kept for hosts until the next poll.
TEST_F(ProcessReplyTest, RepliesThatDoNotBelongAreDropped) {
  const std::string base = "1.3.6.1.2.1.2.2.1.8.";
  SnmpMessage error = Reply("1:STATUS:" + base, {{base + "1", "1"}});
  error.ErrorCode = kSnmpTimeout;
  error.ErrorText = "No answer.";
  const std::vector<SnmpMessage> dropped = {
      Reply("7:STATUS:" + base, {{base + "1", "1"}}),  // an earlier run
      Reply("sysObjectID", {{base + "1", "1"}}),        // a synchronous exchange
      Reply("1:STATUS:" + base, {}),                    // no bindings
      error,
  };
  for (const SnmpMessage& reply : dropped) engine.Deliver(reply);
  EXPECT_EQ(engine.PendingCount(), 0u) << "nothing follows a dropped reply";
  // "x:" splits into a walk named "x" with an empty base: not the whole device.
  engine.Deliver(Reply("1:x::1.3.6.1.2.1.2.2.1.10.", {{"1.3.6.1.2.1.2.2.1.10.1", "5"}}));
  EXPECT_EQ(control->Interfaces()->Count(), 0);
  EXPECT_EQ(control->WalkFailures(), std::vector<std::string>{"'STATUS': No answer."});
  control->Poll(false);
  EXPECT_TRUE(control->WalkFailures().empty());
}

TEST_F(ProcessReplyTest, TheThreeCheckedColumnsFeedTheInterface) {
  // The catalogue tells administrative from operational codes: 2 is "admin down" (7).
  static_cast<fakes::FakeDeviceCatalog&>(*Globals::Catalog()).NormalizedStatuses = {{{2, 1}, 7}};
  // Whichever walk brings them: here statistics of other names.
  State().DescrSeen = State().SpeedSeen = State().AdminStatusSeen = false;
  engine.Deliver(Reply("1:D:1.3.6.1.2.1.2.2.1.2.", {{"1.3.6.1.2.1.2.2.1.2.4", "uplink"}}));
  engine.Deliver(Reply("1:S:1.3.6.1.2.1.2.2.1.5.", {{"1.3.6.1.2.1.2.2.1.5.4", "1000000000"}}));
  engine.Deliver(Reply("1:A:1.3.6.1.2.1.2.2.1.7.", {{"1.3.6.1.2.1.2.2.1.7.4", "2"}}));
  const auto four = control->Interfaces()->Item("I:4");
  ASSERT_NE(four, nullptr);
  EXPECT_EQ(four->Name(), "uplink");
  EXPECT_EQ(four->Bandwidth(), 1e9f);
  EXPECT_EQ(four->AdminStatus(), 7);
  EXPECT_TRUE(State().DescrSeen);
  EXPECT_TRUE(State().SpeedSeen);
  EXPECT_TRUE(State().AdminStatusSeen);
}

TEST_F(ProcessReplyTest, NumbersBeyondWhatTheyConvertToAreSkippedAndTheWalkGoesOn) {
  // ifIndex 3000000000 and a status beyond 16 bits among good bindings: the bad
  // parts are skipped, every other value arrives and the walk continues.
  const std::string descr = "1.3.6.1.2.1.2.2.1.2.";
  engine.Deliver(Reply("1:D:" + descr, {{descr + "2", "eth0"},
                                        {descr + "3000000000", "huge"},
                                        {descr + "18446744073709551616", "huger"}}));
  EXPECT_EQ(control->Interfaces()->Count(), 1);
  EXPECT_EQ(control->Interfaces()->Item("I:2")->Name(), "eth0");
  ASSERT_EQ(engine.PendingCount(), 1u);
  EXPECT_EQ(engine.Pending(0).Bindings.Item(0).OID, descr + "18446744073709551616.");

  const std::string admin = "1.3.6.1.2.1.2.2.1.7.";
  engine.Deliver(Reply("1:A:" + admin, {{admin + "2", "1"}, {admin + "2", "70000"}}));
  EXPECT_EQ(control->Interfaces()->Item("I:2")->AdminStatus(), 1) << "70000 is no status";
  EXPECT_EQ(control->WalkFailures().size(), 0u);
}

TEST_F(ProcessReplyTest, TheSystemGroupFillsTheControl) {
  int complete = 0;
  control->SystemMIBComplete.Subscribe([&] { ++complete; });
  const std::string base = "1.3.6.1.2.1.1.";
  engine.Deliver(Reply("1:system:" + base, {{"1.3.6.1.2.1.1.3.0", "123456"},
                                            {"1.3.6.1.2.1.1.5.0", "core"}}));
  EXPECT_EQ(complete, 1);
  EXPECT_FLOAT_EQ(control->SysUpTime(), 1234.56f);
  EXPECT_DOUBLE_EQ(control->LastBoot(), AddSeconds(clock.Now(), -1235));
  EXPECT_DOUBLE_EQ(Globals::SharedLastBoot(), control->LastBoot());
  EXPECT_EQ(control->SysName(), "core");
  ASSERT_EQ(engine.PendingCount(), 1u);
  EXPECT_EQ(engine.Pending(0).Bindings.Item(0).OID, "1.3.6.1.2.1.1.5.0.");

  // An empty up-time changes neither; the end of the group ends the walk.
  clock.AdvanceSeconds(60);
  engine.DropPending();
  engine.Deliver(Reply("1:SYSTEM:" + base, {{"1.3.6.1.2.1.1.3.0", ""}, {"1.3.6.1.2.2.1.0", "3"}}));
  EXPECT_FLOAT_EQ(control->SysUpTime(), 1234.56f);
  EXPECT_EQ(complete, 2);
  EXPECT_EQ(engine.Pending(0).Tag, "1:ifDescrCHECK:1.3.6.1.2.1.2.2.1.2.");
}

}  // namespace
}  // namespace linkwatch
