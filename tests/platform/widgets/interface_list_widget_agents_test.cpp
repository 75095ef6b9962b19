// The control widget monitoring agents on loopback. net-snmp's agent, with a
// read-only community (nothing is ever written to this machine): what the view
// shows, and a screenshot of it for people to look at. snmpsim's recordings: what
// the user does in the view reaches the control (sorting by a header click,
// dragging a column, and editing a cell, which writes the value to the simulated
// device's writable recording; never a real interface).
#include <gtest/gtest.h>

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <cstdio>

#include "WidgetFixture.h"
#include "model/Interfaces.h"
#include "statistics/Statistics.h"
#include "support/SnmpdAgent.h"
#include "support/SnmpsimAgent.h"

namespace linkwatch {
namespace {

using support::SnmpdAgent;
using support::SnmpdOptions;
using support::SnmpsimAgent;
using support::SnmpsimOptions;
using testing_widgets::Click;
using testing_widgets::DoubleClick;
using testing_widgets::RunUntil;
using testing_widgets::WidgetFixture;

const QString kStatistics =
    "Interface Name,Interface Status Icon,Admin Status,Interface Type,Speed,MTU,MAC Address,"
    "In Traffic,Out Traffic,In Packets,Out Packets";

using InterfaceListWidgetSnmpdTest = WidgetFixture;

TEST_F(InterfaceListWidgetSnmpdTest, ShowsTheLocalAgentsInterfacesAndTakesAScreenshot) {
  SnmpdOptions readOnly;
  readOnly.WriteCommunity.clear();
  SnmpdAgent agent(readOnly);
  ASSERT_TRUE(agent.Start()) << agent.Error();
  InterfaceListWidget& list = MakeWidget(agent.Port(), "public", kStatistics);
  int systemEvents = 0;
  QObject::connect(&list, &InterfaceListWidget::SystemMIBComplete, [&] { ++systemEvents; });
  // A script's handler of PollTimer turns polling off through the property.
  int ticks = 0;
  QObject::connect(&list, &InterfaceListWidget::PollTimer, [&](bool autoUpdate) {
    ++ticks;
    if (autoUpdate) list.setProperty("AutoUpdate", false);
  });
  list.SetAutoUpdate(true);

  ASSERT_TRUE(list.StartMonitoring()) << list.LastError().toStdString();
  ASSERT_TRUE(WaitForCycles(1)) << agent.Log();
  ASSERT_GT(list.InterfaceCount(), 0);
  EXPECT_EQ(Model().rowCount(), list.InterfaceCount());

  // The header row shows each statistic's header in bold.
  const QStringList headers = {"Interface", "Status", "Enabled", "Type", "Speed", "MTU",
                               "MAC Address", "In", "Out", "In Packets", "Out Packets"};
  ASSERT_EQ(Model().columnCount(), headers.size());
  for (int col = 0; col < headers.size(); ++col) {
    EXPECT_EQ(Model().headerData(col, Qt::Horizontal).toString(), headers[col]);
    EXPECT_TRUE(Model().headerData(col, Qt::Horizontal, Qt::FontRole).value<QFont>().bold());
  }

  // Interface 1 of a Linux agent is the loopback interface: up and enabled.
  const int loopback = RowOf("I:1");
  ASSERT_GE(loopback, 0);
  EXPECT_EQ(Shown(loopback, ColumnOf("Interface Name")).toString(), "lo");
  EXPECT_EQ(Shown(loopback, ColumnOf("Admin Status"), Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_TRUE(Shown(loopback, ColumnOf("Admin Status")).toString().isEmpty());
  const int icon = ColumnOf("Interface Status Icon");
  EXPECT_FALSE(Shown(loopback, icon, GridModel::PictureNameRole).toString().isEmpty());
  EXPECT_FALSE(Shown(loopback, icon, Qt::DecorationRole).value<QPixmap>().isNull());
  // A counter after its first sample is still baselining, in grey.
  const int in = ColumnOf("In Traffic");
  EXPECT_EQ(Shown(loopback, in).toString(), "baselining ...");
  EXPECT_EQ(Shown(loopback, in, Qt::ForegroundRole).value<QColor>(), QColor(128, 128, 128));
  EXPECT_EQ(Shown(loopback, in, GridModel::SortValueRole).toDouble(), -10000.0);

  // The rates in black that the second poll brings are the table's business
  // (tests/table); here the script's handler turns polling off at the next tick.
  ASSERT_TRUE(RunUntil([&] { return ticks > 0; }));
  EXPECT_FALSE(list.AutoUpdate());
  EXPECT_GE(systemEvents, 1);
  EXPECT_FALSE(list.SysName().isEmpty());

  const QString folder = QCoreApplication::applicationDirPath() + "/artifacts";
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString path = folder + "/interface_list.png";
  const QImage shot = list.grab().toImage();
  ASSERT_TRUE(shot.save(path));
  std::printf("Screenshot of the control: %s\n", qPrintable(path));
  list.StopMonitoring();
}

class InterfaceListWidgetSnmpsimTest : public WidgetFixture {
 protected:
  static void SetUpTestSuite() {
    testing_widgets::Application();
    SnmpsimOptions options;
    options.Recordings = {"switch48", "writable"};
    agent = new SnmpsimAgent(options);
    ASSERT_TRUE(agent->Start()) << agent->Error();
  }
  static void TearDownTestSuite() {
    delete agent;
    agent = nullptr;
  }

  QString NameInRow(int row) const { return Shown(row, ColumnOf("Interface Name")).toString(); }

  std::shared_ptr<Statistic> StatisticOf(int ifIndex, const std::string& name) const {
    const auto found = widget->Interfaces()->Item("I:" + std::to_string(ifIndex));
    return found ? found->Statistics()->Item(name) : nullptr;
  }

  static SnmpsimAgent* agent;
};
SnmpsimAgent* InterfaceListWidgetSnmpsimTest::agent = nullptr;

TEST_F(InterfaceListWidgetSnmpsimTest, HeaderClicksSortAndDragsMoveColumnsThroughTheControl) {
  InterfaceListWidget& list =
      MakeWidget(agent->Port(), "switch48", "Interface Name,Interface Index,Interface Alias");
  std::vector<std::pair<int, int>> moves;
  QObject::connect(&list, &InterfaceListWidget::RearrangedColumns,
                   [&](int col, int position) { moves.emplace_back(col, position); });
  ASSERT_TRUE(list.StartMonitoring()) << list.LastError().toStdString();
  ASSERT_TRUE(WaitForCycles(1)) << agent->Log();
  ASSERT_EQ(Model().rowCount(), 50);
  QHeaderView* header = list.View().horizontalHeader();
  const int index = ColumnOf("Interface Index");

  // Numbers sort through the control's compare: the first sort puts the
  // largest on top, the next one reverses it.
  Click(header->viewport(), list.View().CellRect(0, index).center());
  EXPECT_EQ(NameInRow(0), "Loopback0");
  EXPECT_EQ(NameInRow(1), "Vlan1");
  EXPECT_EQ(NameInRow(2), "GigabitEthernet0/48");
  Click(header->viewport(), list.View().CellRect(0, index).center());
  EXPECT_EQ(NameInRow(0), "GigabitEthernet0/1");
  EXPECT_EQ(NameInRow(49), "Loopback0");
  for (int row = 1; row < Model().rowCount(); ++row) {
    EXPECT_LT(Shown(row - 1, index, GridModel::SortValueRole).toDouble(),
              Shown(row, index, GridModel::SortValueRole).toDouble());
  }

  // A click in a row makes its interface the control's selected one.
  Click(list.View().viewport(), list.View().CellRect(50, index).center());
  ASSERT_NE(list.SelectedInterface(), nullptr);
  EXPECT_EQ(list.SelectedInterface()->Name(), "Loopback0");
  EXPECT_EQ(list.SelectedStatisticName(), "Interface Index");

  testing_widgets::DragHeaderSection(header, 2, 0);
  EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{2, 0}}));
  EXPECT_EQ(list.ColumnList(), "Interface Alias,Interface Name,Interface Index");
  EXPECT_EQ(Model().headerData(0, Qt::Horizontal).toString(), "Alias");
  const int port1 = RowOf("I:1");
  EXPECT_EQ(Shown(port1, 0).toString(), "uplink");
  EXPECT_EQ(Shown(port1, 1).toString(), "GigabitEthernet0/1");
}

TEST_F(InterfaceListWidgetSnmpsimTest, EditsInTheViewAreWrittenToTheDevice) {
  InterfaceListWidget& list =
      MakeWidget(agent->Port(), "writable", "Interface Name,Interface Alias,Admin Status");
  ASSERT_TRUE(list.StartMonitoring()) << list.LastError().toStdString();
  ASSERT_TRUE(WaitForCycles(1)) << agent->Log();
  GridView& view = list.View();
  const int eth0 = RowOf("I:1");
  ASSERT_GE(eth0, 0);
  const int alias = ColumnOf("Interface Alias");
  const int name = ColumnOf("Interface Name");
  // The name is read-only: a double click opens no editor.
  DoubleClick(view.viewport(), view.CellRect(GridModel::GridRow(eth0), name).center());
  EXPECT_FALSE(list.Grid().Editing());

  // The alias is typed into the cell and written; the control reads it back.
  DoubleClick(view.viewport(), view.CellRect(GridModel::GridRow(eth0), alias).center());
  ASSERT_TRUE(list.Grid().Editing());
  auto* editor = qobject_cast<QLineEdit*>(view.indexWidget(Model().index(eth0, alias)));
  ASSERT_NE(editor, nullptr);
  editor->setText("link to the lab");
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(editor, &enter);
  ASSERT_TRUE(RunUntil([&] {
    const auto stat = StatisticOf(1, "Interface Alias");
    return stat && stat->ParsedValue() == "link to the lab";
  }, std::chrono::seconds(15))) << messageBoxes.join("\n").toStdString();
  ASSERT_TRUE(RunUntil([&] { return Shown(eth0, alias).toString() == "link to the lab"; }));

  // Clearing the Enabled box shuts the interface down on the device (writes 2)
  // and the re-read shows it.
  const int admin = ColumnOf("Admin Status");
  ASSERT_EQ(Shown(eth0, admin, Qt::CheckStateRole).toInt(), Qt::Checked);
  Click(view.viewport(), view.CellRect(GridModel::GridRow(eth0), admin).center());
  ASSERT_TRUE(RunUntil([&] {
    const auto stat = StatisticOf(1, "Admin Status");
    return stat && stat->CheckBoxValue() == 0;
  }, std::chrono::seconds(15)));
  ASSERT_TRUE(RunUntil(
      [&] { return Shown(eth0, admin, Qt::CheckStateRole).toInt() == Qt::Unchecked; }));
  EXPECT_TRUE(messageBoxes.isEmpty()) << messageBoxes.join("\n").toStdString();
}

}  // namespace
}  // namespace linkwatch
