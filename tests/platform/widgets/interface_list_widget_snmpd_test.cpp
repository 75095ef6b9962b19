// The control widget monitoring net-snmp's agent on loopback (read-only
// community: nothing is ever written to this machine), what its view shows, and
// a screenshot of it for people to look at.
#include <gtest/gtest.h>

#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
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
using testing_widgets::RunUntil;
using testing_widgets::WidgetFixture;

const QString kStatistics =
    "Interface Name,Interface Status Icon,Admin Status,Interface Type,Speed,MTU,MAC Address,"
    "In Traffic,Out Traffic,In Packets,Out Packets";

class InterfaceListWidgetSnmpdTest : public WidgetFixture {
 protected:
  static SnmpdOptions ReadOnly() {
    SnmpdOptions options;
    options.WriteCommunity.clear();
    return options;
  }
};

TEST_F(InterfaceListWidgetSnmpdTest, ShowsTheLocalAgentsInterfacesAndTakesAScreenshot) {
  SnmpdAgent agent(ReadOnly());
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

  // The second poll (7 seconds after the first) gives rates in black.
  ASSERT_TRUE(WaitForCycles(1, std::chrono::seconds(25))) << agent.Log();
  EXPECT_NE(Shown(loopback, in).toString(), "baselining ...");
  EXPECT_EQ(Shown(loopback, in, Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
  EXPECT_GT(ticks, 0);
  EXPECT_FALSE(list.AutoUpdate());  // turned off by the script's handler
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

}  // namespace
}  // namespace linkwatch
