#pragma once
// The control on the fake platform, talking to a scripted device: shared by the
// model, control, table and server tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/DateFunctions.h"
#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "fakes/FakePlatform.h"
#include "model/Interfaces.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {

// White-box access to the control's internals for its unit tests.
struct InterfaceListInternals {
  static ControlState& State(InterfaceList& control) { return control.state_; }
  static void ReplaceInterfaces(InterfaceList& control) { control.ReplaceInterfaces(); }
  static void PruneStatistics(InterfaceList& control) { control.PruneStatistics(); }
};

namespace testing_control {

// What every core test routes and shows. "Note" has a definition without a MIB
// object that is no check box; ALIAS and ADMIN are writable on the device; the
// last three are the MAC statistics of client children and a port statistic with
// its own child label.
inline constexpr const char* kControlStatistics = R"(<Portsight><Statistics>
  <Statistic Name="TRAFFIC IN" Header="In" MIB="ifInOctets" Counter="yes" Parser="TRAFFIC" />
  <Statistic Name="STATUS" Header="Status" MIB="ifOperStatus" />
  <Statistic Name="ENABLE" Header="On" MIB="EnableCheckbox" CheckBox="yes" />
  <Statistic Name="REVERSE" Header="Name" MIB="ipAdEntAddr" />
  <Statistic Name="SIGNAL" Header="Signal" MIB="clientSignal" Child="Client" />
  <Statistic Name="ALIAS" Header="Alias" MIB="ifAlias" />
  <Statistic Name="ADMIN" Header="Enabled" MIB="ifAdminStatus" CheckBox="yes" />
  <Statistic Name="ERRORS" Header="Errors" MIB="ifInErrors" Parser="NUMBER" />
  <Statistic Name="Interface Name" Header="Interface" MIB="ifDescr" />
  <Statistic Name="Interface Status" Header="Status" MIB="ifOperStatus" Parser="OPERSTATUS" />
  <Statistic Name="Interface Status Icon" Header="State" MIB="ifOperStatus" Parser="ICON" Units="OPERSTATUS" />
  <Statistic Name="Admin Status" Header="Enabled" MIB="ifAdminStatus" Parser="ADMINSTATUS" CheckBox="yes" />
  <Statistic Name="Disassociate Time" Header="Gone Since" MIB="clientAging" Child="Client" />
  <Statistic Name="Note" Header="Note" MIB="EnableCheckbox" />
  <Statistic Name="Card Manufacturer" Header="Maker" MIB="clientMac" Child="Client" />
  <Statistic Name="Client MAC Address" Header="MAC" MIB="clientMacAddress" Child="Client" />
  <Statistic Name="Port Speed" Header="Speed" MIB="portSpeed" Child="Port" />
</Statistics></Portsight>)";

// The ifAlias column of the scripted device, ending in a dot.
inline constexpr const char* kIfAlias = "1.3.6.1.2.1.31.1.1.1.18.";

// Installs a FakePlatform for one test: the device's MIB objects (ifAdminStatus
// and ifAlias writable) and the statistics above. The clock starts at 1 March 2024
// 12:00:50; the catalogue knows two status texts and four status icons.
class ControlTestPlatform {
 public:
  ControlTestPlatform()
      : platform_(std::make_shared<fakes::FakePlatform>()) {
    fakes::FakeMibTree& mib = platform_->Mib();
    mib.Register("IFDESCR", "1.3.6.1.2.1.2.2.1.2");
    mib.Register("IFADMINSTATUS", "1.3.6.1.2.1.2.2.1.7", {}, {}, kMibWritable);
    mib.Register("IFOPERSTATUS", "1.3.6.1.2.1.2.2.1.8");
    mib.Register("IFINOCTETS", "1.3.6.1.2.1.2.2.1.10");
    mib.Register("IFINERRORS", "1.3.6.1.2.1.2.2.1.14");
    mib.Register("IFALIAS", "1.3.6.1.2.1.31.1.1.1.18", {}, {}, kMibWritable);
    mib.Register("IPADENTADDR", "1.3.6.1.2.1.4.20.1.1");
    mib.Register("CLIENTSIGNAL", "1.3.6.1.4.1.99.1.1");
    mib.Register("CLIENTAGING", "1.3.6.1.4.1.99.1.2");
    mib.Register("CLIENTMAC", "1.3.6.1.4.1.99.1.4");
    mib.Register("CLIENTMACADDRESS", "1.3.6.1.4.1.99.1.3");
    mib.Register("PORTSPEED", "1.3.6.1.4.1.99.2.1");
    Globals::Install(platform_);
    Globals::Templates()->Clear();
    Globals::Templates()->RefreshFromText(kControlStatistics);
    platform_->Time().SetNow(ToSerialDate({2024, 3, 1, 12, 0, 50}));
    auto& catalog = static_cast<fakes::FakeDeviceCatalog&>(*Globals::Catalog());
    catalog.StatusTexts = {{1, "Up"}, {2, "Down"}};
    for (int status : {1, 2, 3, 7}) {
      catalog.StatusIcons[status] = fakes::MakeFakePicture("status-" + std::to_string(status));
    }
  }
  ~ControlTestPlatform() { Globals::Reset(); }
  ControlTestPlatform(const ControlTestPlatform&) = delete;
  ControlTestPlatform& operator=(const ControlTestPlatform&) = delete;

  fakes::FakePlatform& Platform() { return *platform_; }

 private:
  std::shared_ptr<fakes::FakePlatform> platform_;
};

// A control (target 10.1.2.3, community "public") on that platform, its scripted
// device and its grid, read by row and column keys.
class DeviceFixture : public ::testing::Test {
 protected:
  DeviceFixture()
      : control(std::make_unique<InterfaceList>()),
        engine(*platform_.Platform().LastEngine()),
        grid(*platform_.Platform().LastGrid()),
        timer(*platform_.Platform().LastTimer()),
        clock(platform_.Platform().Time()) {
    control->SetTarget("10.1.2.3");
    control->SetCommunity("public");
  }

  // The system group and interfaces 1..count (ifNumber = count): ifDescr "eth<i>",
  // 100 Mbit/s, up except the last one, 1000 × i octets in, alias "port <i>".
  void AddDevice(int count) {
    engine.SetObject("1.3.6.1.2.1.1.1.0", "Test switch");
    engine.SetObject("1.3.6.1.2.1.1.2.0", "1.3.6.1.4.1.9.1.1", kSnmpObjectId);
    engine.SetObject("1.3.6.1.2.1.1.3.0", "123456", kSnmpTimeTicks);
    engine.SetObject("1.3.6.1.2.1.1.4.0", "ops@example.net");
    engine.SetObject("1.3.6.1.2.1.1.5.0", "switch1");
    engine.SetObject("1.3.6.1.2.1.1.6.0", "Rack 4");
    engine.SetObject("1.3.6.1.2.1.2.1.0", std::to_string(count), kSnmpInteger);
    for (int i = 1; i <= count; ++i) AddInterface(i, i == count ? "2" : "1");
  }

  void AddInterface(int index, const std::string& status = "1") {
    const std::string n = std::to_string(index);
    engine.SetObject("1.3.6.1.2.1.2.2.1.1." + n, n, kSnmpInteger);
    engine.SetObject("1.3.6.1.2.1.2.2.1.2." + n, "eth" + n);
    engine.SetObject("1.3.6.1.2.1.2.2.1.5." + n, "100000000", kSnmpGauge32);
    engine.SetObject("1.3.6.1.2.1.2.2.1.7." + n, status, kSnmpInteger, true);
    engine.SetObject("1.3.6.1.2.1.2.2.1.8." + n, status, kSnmpInteger);
    engine.SetObject("1.3.6.1.2.1.2.2.1.10." + n, std::to_string(1000 * index), kSnmpCounter32);
    engine.SetObject(kIfAlias + n, "port " + n, kSnmpOctetString, true);
  }

  // Lays out the list, starts monitoring and answers every walk of the first poll.
  void Start(const std::string& list) {
    control->SetStatisticsList(list);
    ASSERT_TRUE(control->StartMonitoring()) << control->LastError();
    engine.DeliverAll();
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
  std::shared_ptr<Interface> InterfaceAt(int ifIndex) const {
    return control->Interfaces()->Item(Interface::KeyFor(ifIndex));
  }
  std::vector<std::string> RowKeys() const {
    std::vector<std::string> keys;
    for (int row = 1; row < grid.Rows(); ++row) keys.push_back(grid.RowData(row));
    return keys;
  }
  int ColOf(const std::string& key) const {
    for (int col = 0; col < grid.Cols(); ++col) {
      if (grid.ColKey(col) == key) return col;
    }
    ADD_FAILURE() << "no column " << key;
    return -1;
  }

  void AddClient(int ifIndex, int client) {
    engine.SetObject(ClientOid(ifIndex, client), "-40", kSnmpInteger);
  }
  void RemoveClient(int ifIndex, int client) { engine.RemoveObject(ClientOid(ifIndex, client)); }
  static std::string ClientOid(int ifIndex, int client) {
    return "1.3.6.1.4.1.99.1.1." + std::to_string(ifIndex) + "." + std::to_string(client);
  }

  // Lets the next poll start right now (the clock stays) and answers its walks.
  void PollAgain() {
    control->SetAutoUpdate(true);
    State().NextPoll = AddSeconds(clock.Now(), -1);
    ASSERT_TRUE(timer.Tick());
    engine.DeliverAll();
  }

  int RowOf(const std::string& key) const { return grid.FindRow(key); }
  std::string Text(const std::string& rowKey, const std::string& colKey) const {
    return grid.CellText(RowOf(rowKey), ColOf(colKey));
  }
  GridValue Attribute(int code, const std::string& rowKey, const std::string& colKey) const {
    return grid.Cell(code, RowOf(rowKey), ColOf(colKey));
  }

  ControlTestPlatform platform_;
  std::unique_ptr<InterfaceList> control;
  fakes::FakeSnmpEngine& engine;
  fakes::RecordingGrid& grid;
  fakes::ManualTimer& timer;
  fakes::ManualClock& clock;
};

// The name of a cell's picture; empty when it has none.
inline std::string PictureName(const GridValue& value) {
  const auto* picture = std::get_if<std::shared_ptr<const Picture>>(&value);
  return picture && *picture ? (*picture)->Name() : std::string();
}

}  // namespace testing_control
}  // namespace linkwatch
