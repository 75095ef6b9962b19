// The control widget monitoring net-snmp's agent on loopback, with a read-only
// community (nothing is ever written to this machine): what the view shows, a
// screenshot of it for people to look at, and the control's events reaching a
// script as Qt signals. What the view does with the user's actions is the view's
// business (grid_view_test), what the control does with them the control's.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPixmap>
#include <cstdio>

#include "WidgetFixture.h"
#include "model/Interfaces.h"
#include "support/SnmpdAgent.h"

namespace linkwatch {
namespace {

using support::SnmpdAgent;
using support::SnmpdOptions;
using testing_widgets::Click;
using testing_widgets::RunUntil;
using testing_widgets::WidgetFixture;

const QString kStatistics =
    "Interface Name,Interface Status Icon,Admin Status,Interface Type,Speed,MTU,MAC Address,"
    "In Traffic,Out Traffic,In Packets,Out Packets";
// The columns checked below, at their places in that list.
enum Column { kName, kStatusIcon, kAdminStatus, kInTraffic = 7 };

using InterfaceListWidgetSnmpdTest = WidgetFixture;

TEST_F(InterfaceListWidgetSnmpdTest, ShowsTheAgentsInterfacesSignalsEventsAndTakesAScreenshot) {
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

  // The columns are the statistics' headers. Interface 1 of a Linux agent is the
  // loopback interface: up and enabled.
  ASSERT_EQ(Model().columnCount(), 11);
  EXPECT_EQ(Model().headerData(kAdminStatus, Qt::Horizontal).toString(), "Enabled");
  const int loopback = GridModel::ModelRow(list.Grid().FindRow("I:1"));
  ASSERT_GE(loopback, 0);
  auto shown = [&](int col, int role) { return Model().index(loopback, col).data(role); };
  EXPECT_EQ(shown(kName, Qt::DisplayRole).toString(), "lo");
  EXPECT_EQ(shown(kAdminStatus, Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_FALSE(shown(kStatusIcon, Qt::DecorationRole).value<QPixmap>().isNull());
  EXPECT_EQ(shown(kInTraffic, Qt::DisplayRole).toString(), "baselining ...");

  // The rates in black that the second poll brings are the table's business
  // (tests/table); here the script's handler turns polling off at the next tick.
  ASSERT_TRUE(RunUntil([&] { return ticks > 0; }));
  EXPECT_FALSE(list.AutoUpdate());
  EXPECT_GE(systemEvents, 1);
  EXPECT_FALSE(list.SysName().isEmpty());

  // The user's actions reach the control and come back as its signals: a click
  // selects the row's interface, a dragged header moves the column.
  std::vector<std::string> heard;
  QObject::connect(&list, &InterfaceListWidget::SelectionChanged,
                   [&] { heard.push_back("selection"); });
  QObject::connect(&list, &InterfaceListWidget::MouseUp, [&] { heard.push_back("mouse up"); });
  QObject::connect(&list, &InterfaceListWidget::RearrangedColumns, [&](int col, int position) {
    heard.push_back("moved " + std::to_string(col) + " to " + std::to_string(position));
  });
  Click(list.View().viewport(), list.View().CellRect(GridModel::GridRow(loopback), 0).center());
  ASSERT_NE(list.SelectedInterface(), nullptr);
  EXPECT_EQ(list.SelectedInterface()->Name(), "lo");
  testing_widgets::DragHeaderSection(list.View().horizontalHeader(), 2, 0);
  EXPECT_EQ(heard,
            (std::vector<std::string>{"selection", "mouse up", "moved 2 to 0", "mouse up"}));
  EXPECT_TRUE(list.ColumnList().startsWith("Admin Status,Interface Name,"))
      << list.ColumnList().toStdString();

  const QString folder = QCoreApplication::applicationDirPath() + "/artifacts";
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString path = folder + "/interface_list.png";
  const QImage shot = list.grab().toImage();
  ASSERT_TRUE(shot.save(path));
  std::printf("Screenshot of the control: %s\n", qPrintable(path));
  list.StopMonitoring();
}

}  // namespace
}  // namespace linkwatch
