// How a poll cycle's grid is printed: tsv, json and the aligned table, from an
// in-memory grid filled the way the control fills it (header row, interface rows,
// a child row under its interface, check boxes, pictures, awkward texts).
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "GridSnapshot.h"
#include "JsonCheck.h"
#include "JsonFormatter.h"
#include "TableFormatter.h"
#include "TsvFormatter.h"
#include "components/Picture.h"
#include "platform/grid/MemoryGrid.h"

namespace linkwatch::cli {
namespace {

class NamedPicture final : public Picture {
 public:
  explicit NamedPicture(std::string name) : name_(std::move(name)) {}
  std::string Name() const override { return name_; }
  int Width() const override { return 16; }
  int Height() const override { return 16; }
  std::string Svg() const override { return {}; }

 private:
  std::string name_;
};

SystemSummary Device() {
  SystemSummary system;
  system.SysName = "edge-router";
  system.SysDescr = "Linux edge 6.1\n\"lab\" box";
  system.SystemOID = "1.3.6.1.4.1.8072.3.2.10";
  system.SysUpTime = 90061.5;  // 1 day, 1 hour, 1 minute, 1 second
  system.LastBoot = "2024-03-01T13:05:09";
  system.Vendor = "net-snmp";
  system.MachineType = "Linux";
  system.SNMPVersion = 2;
  system.InterfaceCount = 2;
  system.IP = "192.0.2.1";
  return system;
}

// Columns: Interface Name (text), Admin Status (check box), Interface Status Icon
// (picture), In Traffic (text). Rows: I:1, I:2 and the child C:2.5 under it.
class GridOutputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.SetRows(1);
    grid.SetCols(4);
    grid.SetFixedRows(1);
    const std::vector<std::pair<std::string, std::string>> columns = {
        {"Interface Name", "Interface"},
        {"Admin Status", "Enabled"},
        {"Interface Status Icon", "Status"},
        {"In Traffic", "In"}};
    for (int c = 0; c < 4; ++c) {
      grid.SetColKey(c, columns[static_cast<size_t>(c)].first);
      Text(0, c, columns[static_cast<size_t>(c)].second);
    }
    AddRow("I:1");
    Text(1, 0, "lo");
    grid.SetCell(kCellChecked, 1, 1, GridValue{int64_t{kGridChecked}});
    grid.SetCell(kCellPicture, 1, 2, GridValue{std::make_shared<const NamedPicture>("up")});
    Text(1, 3, "1.2 Kbps");

    AddRow("I:2");
    Text(2, 0, "eth\t0\nport \"A\" \\ caf\xC3\xA9 \xFF\xFE");
    grid.SetCell(kCellChecked, 2, 1, GridValue{int64_t{kGridUnchecked}});
    grid.SetCell(kCellPicture, 2, 2, GridValue{std::make_shared<const NamedPicture>("down")});
    Text(2, 3, "baselining ...");

    const int child = grid.AddChild(2, kGridRelationChild, "", "C:2.5");
    Text(child, 0, "client 5");
  }

  void AddRow(const std::string& key) {
    grid.SetRows(grid.Rows() + 1);
    grid.SetRowData(grid.Rows() - 1, key);
  }
  void Text(int row, int col, const std::string& text) {
    grid.SetCell(kCellText, row, col, GridValue{text});
  }

  MemoryGrid grid;
};

TEST_F(GridOutputTest, CellKindsFollowTheirOwnRules) {
  // A check box with text keeps the text after the box; text wins over a picture.
  Text(1, 1, "up");
  grid.SetCell(kCellPicture, 1, 3, GridValue{std::make_shared<const NamedPicture>("graph")});
  // A check state of 0 removes the check box: the cell is text again.
  grid.SetCell(kCellChecked, 2, 1, GridValue{int64_t{0}});
  Text(2, 1, "plain");
  EXPECT_EQ(GridSnapshot::PrintableCell(grid, 1, 1), "[x] up");
  EXPECT_EQ(GridSnapshot::PrintableCell(grid, 1, 3), "1.2 Kbps");
  EXPECT_EQ(GridSnapshot::PrintableCell(grid, 2, 1), "plain");
  EXPECT_EQ(GridSnapshot::PrintableCell(grid, 3, 3), "") << "a cell never written";
}

// The grid with the traffic and status of lo marked as not arrived in the last poll.
GridSnapshot WithStaleLoopback(const GridSurface& grid) {
  GridSnapshot snapshot = GridSnapshot::Read(grid);
  snapshot.Rows[0].Stale = {false, false, true, true};
  return snapshot;
}

// Every cell as the snapshot reads it (tab and line feed become blanks).
TEST_F(GridOutputTest, TsvHasAKeyHeaderAndOneLinePerRowInGridOrder) {
  const std::string tsv = TsvFormatter().Format(Device(), WithStaleLoopback(grid));
  EXPECT_EQ(tsv,
            "KEY\tInterface\tEnabled\tStatus\tIn\tSTALE\n"
            "I:1\tlo\t[x]\t{up}\t1.2 Kbps\t3,4\n"
            "I:2\teth 0 port \"A\" \\ caf\xC3\xA9 \xFF\xFE\t[ ]\t{down}\tbaselining ...\t\n"
            "C:2.5\tclient 5\t\t\t\t\n");
}

TEST_F(GridOutputTest, JsonIsOneLineWithTheSystemColumnsHeadersAndRows) {
  const std::string json = JsonFormatter().Format(Device(), WithStaleLoopback(grid));
  std::string error;
  EXPECT_TRUE(testing_json::IsValidJson(json, error)) << error << "\n" << json;
  // One printed grid is one line; the bytes that are not UTF-8 are replaced, the é stays.
  EXPECT_EQ(json,
            R"({"system":{"SysName":"edge-router","SysDescr":"Linux edge 6.1\n\"lab\" box",)"
            R"("SystemOID":"1.3.6.1.4.1.8072.3.2.10","SysUpTime":90061.50,)"
            R"("LastBoot":"2024-03-01T13:05:09","SysLocation":"","SysContact":"",)"
            R"("Vendor":"net-snmp","MachineType":"Linux","SNMPVersion":2,"InterfaceCount":2,)"
            R"("IP":"192.0.2.1"},)"
            R"("columns":["Interface Name","Admin Status","Interface Status Icon","In Traffic"],)"
            R"("headers":["Interface","Enabled","Status","In"],"rows":[)"
            R"({"key":"I:1","cells":["lo","[x]","{up}","1.2 Kbps"],)"
            R"("stale":["Interface Status Icon","In Traffic"]},)"
            R"({"key":"I:2","cells":["eth 0 port \"A\" \\ caf)" "\xC3\xA9 \xEF\xBF\xBD\xEF\xBF\xBD"
            R"(","[ ]","{down}","baselining ..."],"stale":[]},)"
            R"({"key":"C:2.5","cells":["client 5","","",""],"stale":[]}]})" "\n");
}

// Every column starts at the same place on every line (é, and each byte that is
// not UTF-8, is one place wide); child rows are indented; no line ends in blanks.
// Values that did not arrive are marked, and a line under the table says so.
TEST_F(GridOutputTest, TableAlignsColumnsUnderADeviceLineAndMarksStaleValues) {
  EXPECT_EQ(TableFormatter().Format(Device(), WithStaleLoopback(grid)),
            "Device: edge-router (192.0.2.1)  Vendor: net-snmp  Type: Linux  "
            "Up: 1 days, 1 hours, 1 minutes, 1 seconds  SNMP: v2c\n"
            "\n"
            "ifIndex  Interface                 Enabled  Status  In\n"
            "-------  ------------------------  -------  ------  --------------\n"
            "1        lo                        [x]      {up} *  1.2 Kbps *\n"
            "2        eth 0 port \"A\" \\ caf\xC3\xA9 \xFF\xFE  [ ]      {down}  baselining ...\n"
            "  2.5    client 5\n"
            "* marks a value that did not arrive in the last poll (an older one is shown)\n");
}

// Unknown values show as dashes in the table (and as null in JSON: json_text_test).
TEST(TableDeviceLine, UnknownValuesShowAsDashes) {
  SystemSummary system;
  system.SysName = "a\x1b[2Jb";  // a terminal control sequence from the device
  EXPECT_EQ(TableFormatter::DeviceLine(system),
            "Device: a [2Jb  Vendor: -  Type: -  Up: -  SNMP: -");
}

TEST(TableDeviceLine, TheUpTimeCountsOnFromTheBoot) {
  SystemSummary system = Device();
  system.UpTimeNow = 90061 + 3600;  // an hour after the device told its up-time
  EXPECT_NE(TableFormatter::DeviceLine(system).find("Up: 1 days, 2 hours, 1 minutes, 1 seconds"),
            std::string::npos)
      << TableFormatter::DeviceLine(system);
}

}  // namespace
}  // namespace linkwatch::cli
