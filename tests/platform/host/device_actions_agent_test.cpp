// Enabling, shutting down and editing against real agents: a refusal from
// net-snmp's agent with a read-only SNMPv1 community (this machine's own interfaces
// are never written: the agent has no write access configured at all), and accepted
// writes on the simulated writable device, read back by the control.
#include <gmock/gmock.h>

#include <memory>
#include <string>

#include "HostFixture.h"
#include "fakes/FakeMessageBox.h"
#include "model/Interfaces.h"
#include "platform/grid/MemoryGrid.h"
#include "platform/host/CharacterTextMeasure.h"
#include "support/SnmpdAgent.h"
#include "support/SnmpsimAgent.h"

namespace linkwatch {
namespace {

using support::RunEventLoopUntil;
using support::SnmpdAgent;
using support::SnmpsimAgent;
using testing_host::HostFixture;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class DeviceActionsAgentTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    // The real platform, except that warnings are recorded instead of shown.
    auto messageBox = std::make_unique<fakes::FakeMessageBox>();
    messages = messageBox.get();
    Globals::Install(std::make_shared<HostPlatform>(std::make_unique<CharacterTextMeasure>(),
                                                    std::move(messageBox)));
  }

  // Starts monitoring and waits until the table shows the device's interfaces.
  void StartAndFillTable(InterfaceList& list) {
    ASSERT_TRUE(list.StartMonitoring()) << list.LastError();
    ASSERT_TRUE(WaitForCycles(2)) << "the first cycle did not end";
    ASSERT_GT(list.Interfaces()->Count(), 0);
  }

  MemoryGrid& Grid() { return dynamic_cast<MemoryGrid&>(control->TableObject()); }
  int ColOf(const std::string& statName) {
    for (int col = 0; col < Grid().Cols(); ++col) {
      if (Grid().ColKey(col) == statName) return col;
    }
    ADD_FAILURE() << "no column " << statName;
    return 0;
  }
  // Runs the loop until the device's value, as the control last read it, is `raw`.
  bool WaitForRawValue(int ifIndex, const std::string& statName, const std::string& raw) {
    return RunEventLoopUntil(
        [&] {
          const auto row = control->Interfaces()->Item(Interface::KeyFor(ifIndex));
          const auto statistic = row ? row->Statistics()->Item(statName) : nullptr;
          return statistic && statistic->RawText() == raw;
        },
        std::chrono::seconds(20));
  }

  fakes::FakeMessageBox* messages = nullptr;  // the warnings a desktop host would show
};

// --- Refusals: an agent that speaks SNMPv1 alone, read-only ----------------

// Its community is refused to SNMPv2c, which goes unanswered: writes must reach it
// as SNMPv1, so what comes back is the agent's own refusal, not a time-out, and the
// engine's reason reaches the call's error text.
TEST_F(DeviceActionsAgentTest, AWriteToAnSNMPv1OnlyReadOnlyDeviceIsRefusedWithItsReason) {
  SnmpdAgent v1Agent(testing_host::V1OnlyAgent());
  ASSERT_TRUE(v1Agent.Start()) << v1Agent.Error();
  InterfaceList& list = MakeControl(v1Agent.Port(), "Interface Name");
  list.SetCommunity("oldfashioned");
  StartAndFillTable(list);
  ASSERT_EQ(list.SNMPVersion(), 1);
  const auto target = list.Interfaces()->Item(1);
  ASSERT_NE(target, nullptr);

  // The control's head line, then the engine's reason, which names the object.
  EXPECT_FALSE(list.AdminEnableInterface(target));
  EXPECT_THAT(list.LastError(), StartsWith("Cannot enable interface.\r\n"));
  EXPECT_THAT(list.LastError(), HasSubstr("The SNMP agent at 127.0.0.1 port " +
                                          std::to_string(v1Agent.Port()) +
                                          " refused to write 1.3.6.1.2.1.2.2.1.7." +
                                          std::to_string(target->Index()) + " "));
  EXPECT_TRUE(messages->Shown().empty());
}

// --- Accepted writes: the simulated writable device ------------------------

class WritableDeviceTest : public DeviceActionsAgentTest {
 protected:
  static void SetUpTestSuite() {
    HostFixture::SetUpTestSuite();
    agent = std::make_unique<SnmpsimAgent>(support::SnmpsimOptions{
        .Recordings = {"writable"},
        .Users = {{"writer", "SHA", "writer-auth-key", "AES", "writer-priv-key"}}});
    ASSERT_TRUE(agent->Start()) << agent->Error();
  }
  static void TearDownTestSuite() { agent.reset(); }

  static std::unique_ptr<SnmpsimAgent> agent;
};
std::unique_ptr<SnmpsimAgent> WritableDeviceTest::agent;

// Shut down through the check box (enabling through the control's call: below).
TEST_F(WritableDeviceTest, ShutdownOfTheSimulatedEth0IsReadBack) {
  InterfaceList& list = MakeControl(agent->Port(), "Interface Name,Admin Status");
  list.SetCommunity("writable");
  StartAndFillTable(list);
  const auto eth0 = list.Interfaces()->Item("I:1");
  ASSERT_NE(eth0, nullptr);
  EXPECT_EQ(eth0->Name(), "eth0");
  const int row = Grid().FindRow("I:1");
  ASSERT_GT(row, 0);
  const int col = ColOf("Admin Status");
  ASSERT_EQ(Grid().Cell(kCellChecked, row, col), GridValue(int64_t{kGridChecked}));

  ASSERT_TRUE(Grid().ToggleCheck(row, col));  // cleared: down
  EXPECT_TRUE(WaitForRawValue(1, "Admin Status", "2")) << "the new poll did not read it back";
  EXPECT_TRUE(messages->Shown().empty());
}

TEST_F(WritableDeviceTest, EnableOverSNMPv3UsesTheV3Credentials) {
  // The community alone would reach nothing here: the recording is the v3 context.
  InterfaceList& list = MakeControl(agent->Port(), "Interface Name,Admin Status");
  testing_host::SpeakV3(list, "writer-auth-key", "writer-priv-key", "writer");
  list.SetSNMPContext("writable");
  StartAndFillTable(list);
  const auto eth0 = list.Interfaces()->Item("I:1");
  ASSERT_NE(eth0, nullptr);
  ASSERT_TRUE(list.AdminEnableInterface(eth0)) << list.LastError();
  EXPECT_TRUE(WaitForRawValue(1, "Admin Status", "1"));
}

TEST_F(WritableDeviceTest, AnEditedAliasIsWrittenAndReadBack) {
  InterfaceList& list = MakeControl(agent->Port(), "Interface Name,Interface Alias");
  list.SetCommunity("writable");
  StartAndFillTable(list);
  const int row = Grid().FindRow("I:1");
  ASSERT_GT(row, 0);

  ASSERT_TRUE(Grid().BeginEdit(row, ColOf("Interface Alias")));
  ASSERT_TRUE(Grid().CommitEdit("bench uplink"));

  EXPECT_TRUE(messages->Shown().empty()) << messages->Shown().front();
  EXPECT_TRUE(WaitForRawValue(1, "Interface Alias", "bench uplink"));
  EXPECT_EQ(list.Interfaces()->Item("I:1")->Statistics()->Item("Interface Alias")->ParsedValue(),
            "bench uplink");
}

}  // namespace
}  // namespace linkwatch
