// Enabling, shutting down and editing against real agents: refusals from
// net-snmp's agent with a read-only community (this machine's own interfaces are
// never written: the agent has no write access configured at all), and accepted
// writes on the simulated writable device, read back by the control.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HostFixture.h"
#include "fakes/FakeMessageBox.h"
#include "model/Interfaces.h"
#include "platform/grid/MemoryGrid.h"
#include "support/SnmpdAgent.h"
#include "support/SnmpsimAgent.h"

namespace linkwatch {
namespace {

using support::RunEventLoopUntil;
using support::SnmpdAgent;
using support::SnmpsimAgent;
using testing_host::HostFixture;

// The real platform, except that warnings are recorded instead of shown.
class RecordingHostPlatform final : public Platform {
 public:
  std::unique_ptr<SnmpEngine> NewSnmpEngine() override { return host_.NewSnmpEngine(); }
  std::unique_ptr<GridSurface> NewGrid() override { return host_.NewGrid(); }
  std::unique_ptr<Timer> NewTimer() override { return host_.NewTimer(); }
  std::unique_ptr<DnsResolver> NewDnsResolver() override { return host_.NewDnsResolver(); }
  std::unique_ptr<DeviceCatalog> NewDeviceCatalog() override { return host_.NewDeviceCatalog(); }
  std::shared_ptr<MibTree> Mibs() override { return host_.Mibs(); }
  const Clock& GetClock() const override { return host_.GetClock(); }
  const RegionalSettings& GetRegionalSettings() const override {
    return host_.GetRegionalSettings();
  }
  const TextMeasure& GetTextMeasure() const override { return host_.GetTextMeasure(); }
  Clipboard& GetClipboard() override { return host_.GetClipboard(); }
  MessageBox& GetMessageBox() override { return messages; }

  fakes::FakeMessageBox messages;  // the warnings a desktop host would show

 private:
  HostPlatform host_{HostPlatformOptions{false}};
};

// The control's refusal text: its own head line, then the engine's, which names the
// agent and the object it would not write, then the hint about the community.
void ExpectRefusal(const std::string& lastError, const std::string& head, int port,
                   int32_t ifIndex) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = lastError.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(lastError.substr(start, end - start));
  }
  lines.push_back(lastError.substr(start));
  ASSERT_EQ(lines.size(), 4u) << lastError;
  EXPECT_EQ(lines[0], head);
  const std::string agentText = "The SNMP agent at 127.0.0.1 port " + std::to_string(port) +
                                " refused to write 1.3.6.1.2.1.2.2.1.7." +
                                std::to_string(ifIndex) + " ";
  EXPECT_EQ(lines[1].rfind(agentText, 0), 0u) << lines[1];
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "Are you using a Read-Write SNMP Community string ?");
}

class DeviceActionsAgentTest : public HostFixture {
 protected:
  void SetUp() override {
    HostFixture::SetUp();
    platform = std::make_shared<RecordingHostPlatform>();
    Globals::Install(platform);
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

  std::shared_ptr<RecordingHostPlatform> platform;
};

// --- Refusals: net-snmp's agent with nothing but a read-only community -----

class ReadOnlySnmpdTest : public DeviceActionsAgentTest {
 protected:
  static void SetUpTestSuite() {
    HostFixture::SetUpTestSuite();
    agent = new SnmpdAgent({.WriteCommunity = ""});  // no write access of any kind
    ASSERT_TRUE(agent->Start()) << agent->Error();
  }
  static void TearDownTestSuite() {
    delete agent;
    agent = nullptr;
  }

  // A control on the agent, read-only community, first cycle done.
  InterfaceList& StartReadOnly(const std::string& statistics) {
    InterfaceList& list = MakeControl(agent->Port(), statistics);
    list.SetCommunity("public");
    StartAndFillTable(list);
    return list;
  }

  static SnmpdAgent* agent;
};
SnmpdAgent* ReadOnlySnmpdTest::agent = nullptr;

TEST_F(ReadOnlySnmpdTest, ShutdownAndEnableAreRefusedWithTheEnginesReason) {
  InterfaceList& list = StartReadOnly("Interface Name,Admin Status");
  const auto target = list.Interfaces()->Item(1);
  ASSERT_NE(target, nullptr);

  EXPECT_FALSE(list.AdminShutdownInterface(target));
  ExpectRefusal(list.LastError(), "Cannot shutdown interface.", agent->Port(), target->Index());

  EXPECT_FALSE(list.AdminEnableInterface(target));
  ExpectRefusal(list.LastError(), "Cannot enable interface.", agent->Port(), target->Index());
  EXPECT_TRUE(platform->messages.Shown().empty());
}

TEST_F(ReadOnlySnmpdTest, AnEditedAliasIsRefusedWithTheReadOnlyTextAndTheOldTextComesBack) {
  InterfaceList& list = StartReadOnly("Interface Name,Interface Alias");
  const auto target = list.Interfaces()->Item(1);
  ASSERT_NE(target, nullptr);
  const int row = Grid().FindRow(target->Key());
  ASSERT_GT(row, 0);
  const int col = ColOf("Interface Alias");
  const std::string before = Grid().CellText(row, col);

  // The alias is writable in the MIB, so the grid lets the edit start.
  ASSERT_TRUE(Grid().BeginEdit(row, col));
  ASSERT_TRUE(Grid().CommitEdit("renamed by a test"));

  ASSERT_EQ(platform->messages.Shown().size(), 1u);
  EXPECT_EQ(platform->messages.Shown()[0],
            "Cannot set value to 'renamed by a test'\r\n\r\n"
            "Either the device does not support updates to this MIB or you are using a "
            "READ-ONLY SNMP Community string.");
  EXPECT_EQ(Grid().CellText(row, col), before);
}

// An agent that speaks SNMPv1 alone (its community is refused to SNMPv2c, which
// goes unanswered): an enable must reach it as SNMPv1, so what comes back is the
// agent's own refusal of the read-only community, not a time-out.
TEST_F(DeviceActionsAgentTest, EnableReachesAnSNMPv1OnlyDeviceInVersion1) {
  SnmpdAgent v1Agent(testing_host::V1OnlyAgent());
  ASSERT_TRUE(v1Agent.Start()) << v1Agent.Error();
  InterfaceList& list = MakeControl(v1Agent.Port(), "Interface Name");
  list.SetCommunity("oldfashioned");
  StartAndFillTable(list);
  ASSERT_EQ(list.SNMPVersion(), 1);

  const auto target = list.Interfaces()->Item(1);
  EXPECT_FALSE(list.AdminEnableInterface(target));
  ExpectRefusal(list.LastError(), "Cannot enable interface.", v1Agent.Port(), target->Index());
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

  InterfaceList& StartWritable(const std::string& statistics) {
    InterfaceList& list = MakeControl(agent->Port(), statistics);
    list.SetCommunity("writable");
    StartAndFillTable(list);
    return list;
  }

  static std::unique_ptr<SnmpsimAgent> agent;
};
std::unique_ptr<SnmpsimAgent> WritableDeviceTest::agent;

// Shut down and enabled through the control's calls and through the check box.
TEST_F(WritableDeviceTest, ShutdownAndEnableOfTheSimulatedEth0AreReadBack) {
  InterfaceList& list = StartWritable("Interface Name,Admin Status");
  const auto eth0 = list.Interfaces()->Item("I:1");
  ASSERT_NE(eth0, nullptr);
  EXPECT_EQ(eth0->Name(), "eth0");
  const int row = Grid().FindRow("I:1");
  ASSERT_GT(row, 0);
  const int col = ColOf("Admin Status");
  ASSERT_EQ(Grid().Cell(kCellChecked, row, col), GridValue(int64_t{kGridChecked}));

  ASSERT_TRUE(Grid().ToggleCheck(row, col));  // cleared: down
  EXPECT_TRUE(WaitForRawValue(1, "Admin Status", "2")) << "the new poll did not read it back";
  ASSERT_TRUE(Grid().ToggleCheck(row, col));  // set: up
  EXPECT_TRUE(WaitForRawValue(1, "Admin Status", "1"));
  ASSERT_TRUE(list.AdminShutdownInterface(eth0)) << list.LastError();
  EXPECT_TRUE(WaitForRawValue(1, "Admin Status", "2"));
  ASSERT_TRUE(list.AdminEnableInterface(eth0)) << list.LastError();
  EXPECT_TRUE(WaitForRawValue(1, "Admin Status", "1"));
  EXPECT_TRUE(platform->messages.Shown().empty());
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
  EXPECT_TRUE(list.LastError().empty()) << list.LastError();
  EXPECT_TRUE(WaitForRawValue(1, "Admin Status", "1"));
}

TEST_F(WritableDeviceTest, AnEditedAliasIsWrittenAndReadBack) {
  InterfaceList& list = StartWritable("Interface Name,Interface Alias");
  const int row = Grid().FindRow("I:1");
  ASSERT_GT(row, 0);

  ASSERT_TRUE(Grid().BeginEdit(row, ColOf("Interface Alias")));
  ASSERT_TRUE(Grid().CommitEdit("bench uplink"));

  EXPECT_TRUE(platform->messages.Shown().empty()) << platform->messages.Shown().front();
  EXPECT_TRUE(WaitForRawValue(1, "Interface Alias", "bench uplink"));
  EXPECT_EQ(list.Interfaces()->Item("I:1")->Statistics()->Item("Interface Alias")->ParsedValue(),
            "bench uplink");
}

}  // namespace
}  // namespace linkwatch
