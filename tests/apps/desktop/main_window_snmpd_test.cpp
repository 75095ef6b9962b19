// The window against net-snmp's agent on loopback: a start fills the status bar
// and the grid, a failed start shows the control's error, the chart follows a
// chartable cell, the context menu works on the grid, and a screenshot of the
// running window is written for people to look at.
//
// The agent only ever gets a read-only community here: the shut-down test sees
// the agent refuse the write, so this machine's interfaces are never touched.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QSysInfo>
#include <algorithm>
#include <memory>

#include <QPushButton>

#include "ConnectionBar.h"
#include "DesktopFixture.h"
#include "GridContextMenu.h"
#include "StatisticsChooser.h"
#include "StatusPanel.h"
#include "TrafficChart.h"
#include "model/Interface.h"
#include "model/Interfaces.h"
#include "statistics/Statistic.h"
#include "statistics/Statistics.h"
#include "support/SnmpdAgent.h"

namespace linkwatch::desktop {
namespace {

using support::SnmpdAgent;
using support::SnmpdOptions;
using testing::DesktopFixture;

class MainWindowSnmpdTest : public DesktopFixture {
 protected:
  void StartAgent() {
    SnmpdOptions options;
    options.WriteCommunity.clear();  // read-only: no write can reach the interfaces
    agent = std::make_unique<SnmpdAgent>(options);
    ASSERT_TRUE(agent->Start()) << agent->Error();
  }

  // A window aimed at the agent, started, with its first cycle done.
  MainWindow& StartedWindow(const QString& statistics) {
    MainWindow& w = MakeWindow();
    ConnectionSettings settings;
    settings.Target = "127.0.0.1";
    settings.Port = agent->Port();
    settings.Community = "public";
    w.Bar().SetSettings(settings);
    w.List().SetSNMPTimeoutMs(1000);
    w.List().SetSNMPRetries(1);
    w.Chooser().SetChosenList(statistics);
    w.Chooser().Apply();
    EXPECT_TRUE(w.Start()) << w.List().LastError().toStdString();
    EXPECT_TRUE(WaitForCycles(1)) << "the first poll cycle did not end";
    return w;
  }

  // Runs one poll cycle now and waits for its end.
  void PollCycle() {
    window->PollNow();
    ASSERT_TRUE(WaitForCycles(1)) << "a poll cycle did not end";
  }

  std::unique_ptr<SnmpdAgent> agent;
};

TEST_F(MainWindowSnmpdTest, StartFillsTheStatusBarAndTheGrid) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  MainWindow& w = StartedWindow("Interface Name,Interface Status,In Traffic");
  ASSERT_TRUE(w.List().Active());

  // The device as the status bar shows it: net-snmp on this machine.
  EXPECT_EQ(w.StatusInfo().SysName(), QSysInfo::machineHostName());
  EXPECT_EQ(w.StatusInfo().Vendor(), w.List().Vendor());
  EXPECT_FALSE(w.StatusInfo().Vendor().isEmpty());
  EXPECT_EQ(w.StatusInfo().MachineType(), "Linux");
  EXPECT_FALSE(w.StatusInfo().Uptime().isEmpty());
  EXPECT_EQ(w.StatusInfo().Error(), "");
  EXPECT_TRUE(w.windowTitle().startsWith("Linkwatch Desktop — 127.0.0.1 (SNMPv2c)"))
      << w.windowTitle().toStdString();

  // One row per interface the agent counts (however many the machine has), the
  // loopback one named.
  EXPECT_EQ(Model().rowCount(), w.List().InterfaceCount());
  const int lo = RowWithKey("I:1");
  const int name = ColumnWithHeader("Interface");
  ASSERT_GE(lo, 0) << RowKeys().join(' ').toStdString();
  ASSERT_GE(name, 0);
  EXPECT_EQ(Model().index(lo, name).data().toString(), "lo");

  // The count-down to the next poll comes with the timer's ticks.
  ASSERT_TRUE(support::RunEventLoopUntil([&] { return !w.StatusInfo().NextPoll().isEmpty(); },
                                         std::chrono::seconds(5)));
  EXPECT_GE(w.StatusInfo().NextPoll().toInt(), 0);
  EXPECT_LE(w.StatusInfo().NextPoll().toInt(), 30);

  EXPECT_FALSE(w.Bar().StartButton().isEnabled());
  EXPECT_TRUE(w.Bar().StopButton().isEnabled());
  w.Stop();
  EXPECT_FALSE(w.List().Active());
  EXPECT_TRUE(w.Bar().StartButton().isEnabled());
  EXPECT_EQ(w.StatusInfo().NextPoll(), "");
}

TEST_F(MainWindowSnmpdTest, StartsOverSnmpV3WithTheBarsSecuritySettings) {
  SnmpdOptions options;
  options.ReadCommunity.clear();
  options.WriteCommunity.clear();
  options.Users.push_back({"monitor", "SHA", "auth-pass-1", "AES", "priv-pass-1", false});
  agent = std::make_unique<SnmpdAgent>(options);
  ASSERT_TRUE(agent->Start()) << agent->Error();

  MainWindow& w = MakeWindow();
  ConnectionSettings settings;
  settings.Target = "127.0.0.1";
  settings.Port = agent->Port();
  settings.Version = 3;
  settings.User = "monitor";
  settings.AuthType = 2;  // SHA-1
  settings.AuthPass = "auth-pass-1";
  settings.PrivType = 2;  // AES-128
  settings.PrivPass = "priv-pass-1";
  w.Bar().SetSettings(settings);
  w.Chooser().SetChosenList("Interface Name");
  w.Chooser().Apply();
  ASSERT_TRUE(w.Start()) << w.List().LastError().toStdString();
  ASSERT_TRUE(WaitForCycles(1));
  EXPECT_EQ(w.StatusInfo().SysName(), QSysInfo::machineHostName());
  EXPECT_GT(Model().rowCount(), 0);
  EXPECT_EQ(Model().rowCount(), w.List().InterfaceCount());
  EXPECT_TRUE(w.windowTitle().endsWith("(SNMPv3)")) << w.windowTitle().toStdString();
}

struct FailedStart {
  const char* Name;
  QString Target;
  bool UseDeadPort;
  QString Error;  // as the control words it
};

class MainWindowFailedStart : public DesktopFixture,
                              public ::testing::WithParamInterface<FailedStart> {};

TEST_P(MainWindowFailedStart, ShowsTheControlsLastErrorExactly) {
  MainWindow& w = MakeWindow();
  ConnectionSettings settings;
  settings.Target = GetParam().Target;
  settings.Port = GetParam().UseDeadPort ? SnmpdAgent::FreeUdpPort() : 161;
  settings.Community = "public";
  w.Bar().SetSettings(settings);
  w.List().SetSNMPTimeoutMs(200);
  w.List().SetSNMPRetries(0);

  EXPECT_FALSE(w.Start());
  EXPECT_FALSE(w.List().Active());
  EXPECT_EQ(w.List().LastError(), GetParam().Error);
  EXPECT_EQ(w.StatusInfo().Error(), GetParam().Error);
  EXPECT_TRUE(w.Bar().StartButton().isEnabled());
  EXPECT_FALSE(w.Bar().StopButton().isEnabled());
  EXPECT_EQ(w.windowTitle(), "Linkwatch Desktop");
}

INSTANTIATE_TEST_SUITE_P(
    Targets, MainWindowFailedStart,
    ::testing::Values(
        FailedStart{"NothingListening", "127.0.0.1", true,
                    "127.0.0.1 does not respond to SNMP Queries using 'public'"},
        FailedStart{"NoTarget", "", false, "Cannot resolve '' to an IP Address."}),
    [](const ::testing::TestParamInfo<FailedStart>& info) { return info.param.Name; });

TEST_F(MainWindowSnmpdTest, ChartFollowsTheSelectedChartableCellOverPollCycles) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  MainWindow& w = StartedWindow("Interface Name,In Traffic,Interface Status");
  const int lo = RowWithKey("I:1");
  const int in = ColumnWithHeader("In");
  const int status = ColumnWithHeader("Status");
  ASSERT_GE(lo, 0);
  ASSERT_GE(in, 0);
  ASSERT_GE(status, 0);

  // A statistic that is no number over time leaves the chart empty.
  SelectCell(lo, status);
  EXPECT_FALSE(w.Chart().Following());

  SelectCell(lo, in);
  ASSERT_TRUE(w.Chart().Following()) << "In Traffic is chartable";
  EXPECT_EQ(w.Chart().Title(), "lo — In");
  EXPECT_TRUE(w.Chart().ValueAxisTitle().endsWith("bps")) << w.Chart().ValueAxisTitle().toStdString();

  // A counter needs two readings for a rate; each cycle after that adds the
  // rate the control holds for that interface and statistic.
  const int before = w.Chart().PointCount();
  ASSERT_NO_FATAL_FAILURE(PollCycle());
  ASSERT_NO_FATAL_FAILURE(PollCycle());
  EXPECT_GE(w.Chart().PointCount(), before + 1);
  ASSERT_GE(w.Chart().PointCount(), 1);
  const auto traffic = w.List().Interfaces()->Item("I:1")->Statistics()->Item("In Traffic");
  ASSERT_NE(traffic, nullptr);
  EXPECT_FALSE(traffic->Baselining());
  // In bits per second, as the grid shows it (the control keeps octets).
  EXPECT_EQ(w.Chart().Points().back().y(), traffic->CurrentValue() * 8);
  EXPECT_GE(w.Chart().Points().back().y(), 0.0);
  EXPECT_EQ(w.Chart().Title(), "lo — In") << "a refresh of the table keeps the chart";

  // Another cell starts a fresh line.
  SelectCell(lo, ColumnWithHeader("Interface"));
  EXPECT_FALSE(w.Chart().Following());
  EXPECT_EQ(w.Chart().PointCount(), 0);
}

TEST_F(MainWindowSnmpdTest, ContextMenuHidesShowsSelectsAndCopiesRows) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  MainWindow& w = StartedWindow("Interface Name,Interface Type");
  const int lo = RowWithKey("I:1");
  ASSERT_GE(lo, 0);

  SelectCell(lo, 0);
  w.ContextMenu().HideSelected().trigger();
  EXPECT_TRUE(w.List().RowsHidden());
  EXPECT_TRUE(w.List().View().isRowHidden(RowWithKey("I:1")));

  w.ContextMenu().ShowAll().trigger();
  EXPECT_FALSE(w.List().RowsHidden());
  EXPECT_FALSE(w.List().View().isRowHidden(RowWithKey("I:1")));

  w.ContextMenu().SelectAll().trigger();
  w.ContextMenu().Copy().trigger();
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.contains("lo")) << copied.toStdString();
  EXPECT_TRUE(copied.contains("softwareLoopback")) << copied.toStdString();
  EXPECT_EQ(copied.count('\n') + (copied.endsWith('\n') ? 0 : 1), Model().rowCount() + 1)
      << "the header row and one line per interface:\n" << copied.toStdString();
}

TEST_F(MainWindowSnmpdTest, ShutDownAsksFirstAndShowsTheDevicesRefusal) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  MainWindow& w = StartedWindow("Interface Name,Admin Status");
  const int lo = RowWithKey("I:1");
  ASSERT_GE(lo, 0);
  SelectCell(lo, 0);

  QStringList asked;
  bool answer = false;
  w.SetShutdownConfirmation([&](const QString& name, const QString& target) {
    asked << name + " on " + target;
    return answer;
  });

  // Cancelled: nothing is sent.
  w.ContextMenu().ShutDown().trigger();
  EXPECT_EQ(asked, QStringList({"lo on 127.0.0.1"}));
  EXPECT_EQ(w.List().LastError(), "");
  EXPECT_EQ(w.StatusInfo().Error(), "");

  // Confirmed: the agent, with a read-only community, refuses the write, and the
  // status bar shows the control's words for it.
  answer = true;
  w.ContextMenu().ShutDown().trigger();
  EXPECT_EQ(asked.size(), 2);
  EXPECT_FALSE(w.List().LastError().isEmpty());
  EXPECT_EQ(w.StatusInfo().Error(), w.List().LastError());
  EXPECT_TRUE(w.List().Active());
}

TEST_F(MainWindowSnmpdTest, ScreenshotOfTheRunningWindow) {
  ASSERT_NO_FATAL_FAILURE(StartAgent());
  MainWindow& w = StartedWindow(Profile::kDefaultStatistics);
  w.show();
  ASSERT_TRUE(support::RunEventLoopUntil([&] { return w.isVisible(); }));
  const int lo = RowWithKey("I:1");
  const int in = ColumnWithHeader("In (64-bit)");
  ASSERT_GE(lo, 0);
  ASSERT_GE(in, 0);
  SelectCell(lo, in);

  // The window as it runs: the control polls on its own timer every 5 seconds
  // until the chart has a few points and the loopback traffic shows in it.
  w.Bar().SetRefreshInterval(5);
  ASSERT_TRUE(support::RunEventLoopUntil(
      [&] {
        const auto points = w.Chart().Points();
        return points.size() >= 3 &&
               std::any_of(points.begin(), points.end(), [](const QPointF& p) { return p.y() > 0; });
      },
      std::chrono::seconds(60)))
      << "points: " << w.Chart().PointCount();
  ASSERT_TRUE(WaitForCycles(0));
  const auto traffic = w.List().Interfaces()->Item("I:1")->Statistics()->Item("In Traffic 64");
  ASSERT_NE(traffic, nullptr);
  EXPECT_EQ(w.Chart().Points().back().y(), traffic->CurrentValue() * 8) << "bits, as the grid";
  EXPECT_FALSE(w.StatusInfo().NextPoll().isEmpty());
  EXPECT_LE(w.StatusInfo().NextPoll().toInt(), 5);

  const QString folder = QStringLiteral(LINKWATCH_ARTIFACTS_DIR);
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString path = folder + "/desktop.png";
  const QImage shot = w.grab().toImage();
  ASSERT_FALSE(shot.isNull());
  ASSERT_TRUE(shot.save(path)) << path.toStdString();
}

}  // namespace
}  // namespace linkwatch::desktop
