// The window against net-snmp's agent on loopback: a start fills the status bar
// and the grid, the chart follows a chartable cell, the context menu works on the
// grid, and a screenshot of the running window is written for people to look at.
//
// The agent only ever gets a read-only community here: the shut-down test sees
// the agent refuse the write, so this machine's interfaces are never touched.
#include <gtest/gtest.h>

#include <QDir>
#include <QPushButton>
#include <QSysInfo>
#include <algorithm>

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
using testing::DesktopFixture;

// One agent for the test program, started on first use: 'public' reads only, and
// the SNMPv3 user monitor (reads only too).
SnmpdAgent& SharedAgent() {
  static SnmpdAgent agent([] {
    support::SnmpdOptions options;
    options.WriteCommunity.clear();
    options.Users.push_back({"monitor", "SHA", "auth-pass-1", "AES", "priv-pass-1", false});
    return options;
  }());
  static const bool started = agent.Start();
  EXPECT_TRUE(started) << agent.Error();
  return agent;
}

class MainWindowSnmpdTest : public DesktopFixture {
 protected:
  // A window aimed at the agent, started, with its first cycle done.
  MainWindow& StartedWindow(const QString& statistics, ConnectionSettings settings = {}) {
    MainWindow& w = MakeWindow();
    settings.Target = "127.0.0.1";
    settings.Port = SharedAgent().Port();
    if (settings.User.isEmpty()) settings.Community = "public";
    w.Bar().SetSettings(settings);
    w.List().SetSNMPTimeoutMs(1000);
    w.List().SetSNMPRetries(1);
    w.Chooser().SetChosenList(statistics);
    w.Chooser().Apply();
    EXPECT_TRUE(w.Start()) << w.List().LastError().toStdString();
    EXPECT_TRUE(WaitForCycles(1)) << "the first poll cycle did not end";
    return w;
  }

  // The row of the loopback interface, I:1.
  int Loopback() const { return RowWithKey("I:1"); }
};

// A start over SNMPv3 with the bar's security settings (the other tests here, and
// the desktop program's, start over SNMPv2c with the community) fills the status
// bar; the chart follows a chartable cell over the control's polls (on demand,
// then on its own timer), and a screenshot of the running window is kept.
TEST_F(MainWindowSnmpdTest, AStartFillsTheStatusBarAndTheChartFollowsACellOverPollCycles) {
  ConnectionSettings settings;
  settings.Version = 3;
  settings.User = "monitor";
  settings.AuthType = 2;  // SHA-1
  settings.AuthPass = "auth-pass-1";
  settings.PrivType = 2;  // AES-128
  settings.PrivPass = "priv-pass-1";
  MainWindow& w = StartedWindow(Profile::kDefaultStatistics, settings);
  ASSERT_TRUE(w.List().Active());
  // The device as the status bar shows it: net-snmp on this machine.
  EXPECT_EQ(w.StatusInfo().SysName(), QSysInfo::machineHostName());
  EXPECT_EQ(w.StatusInfo().MachineType(), "Linux");
  EXPECT_TRUE(w.windowTitle().startsWith("Linkwatch Desktop — 127.0.0.1 (SNMPv3)"))
      << w.windowTitle().toStdString();

  w.show();
  ASSERT_TRUE(support::RunEventLoopUntil([&] { return w.isVisible(); }));
  const int lo = Loopback();
  const int in = ColumnWithHeader("In (64-bit)");
  ASSERT_GE(lo, 0);
  ASSERT_GE(in, 0);
  SelectCell(lo, in);
  ASSERT_TRUE(w.Chart().Following()) << "In Traffic is chartable";
  EXPECT_EQ(w.Chart().Title(), "lo — In (64-bit)");
  EXPECT_TRUE(w.Chart().ValueAxisTitle().endsWith("bps")) << w.Chart().ValueAxisTitle().toStdString();

  // A counter needs two readings for a rate; each cycle after that adds the rate
  // the control holds, in bits per second as the grid shows it (the control keeps
  // octets). The control polls now, then on its own timer every 5 seconds (the
  // interval counts from the last poll) until the chart has a few points and the
  // loopback traffic shows in it.
  w.Bar().SetRefreshInterval(5);
  window->PollNow();
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
  EXPECT_FALSE(traffic->Baselining());
  EXPECT_EQ(w.Chart().Points().back().y(), traffic->CurrentValue() * 8) << "bits, as the grid";
  EXPECT_EQ(w.Chart().Title(), "lo — In (64-bit)") << "a refresh of the table keeps the chart";
  EXPECT_FALSE(w.StatusInfo().NextPoll().isEmpty());
  EXPECT_LE(w.StatusInfo().NextPoll().toInt(), 5);

  const QString folder = QStringLiteral(LINKWATCH_ARTIFACTS_DIR);
  ASSERT_TRUE(QDir().mkpath(folder));
  const QImage shot = w.grab().toImage();
  ASSERT_FALSE(shot.isNull());
  ASSERT_TRUE(shot.save(folder + "/desktop.png")) << folder.toStdString();

  // A cell that is no number over time leaves the chart empty.
  SelectCell(lo, ColumnWithHeader("Interface"));
  EXPECT_FALSE(w.Chart().Following());
  EXPECT_EQ(w.Chart().PointCount(), 0);

  w.Stop();
  EXPECT_TRUE(w.Bar().StartButton().isEnabled());
  EXPECT_EQ(w.StatusInfo().NextPoll(), "");
}

TEST_F(MainWindowSnmpdTest, ContextMenuHidesShowsAndAsksBeforeAShutDown) {
  MainWindow& w = StartedWindow("Interface Name,Interface Type,Admin Status");
  const int lo = Loopback();
  ASSERT_GE(lo, 0);
  SelectCell(lo, 0);
  // What the control does with each entry is checked in its own tests; here, that
  // each entry reaches it.
  w.ContextMenu().HideSelected().trigger();
  EXPECT_TRUE(w.List().RowsHidden());
  w.ContextMenu().ShowAll().trigger();
  EXPECT_FALSE(w.List().RowsHidden());

  QStringList asked;
  bool answer = false;
  w.SetShutdownConfirmation([&](const QString& name, const QString& target) {
    asked << name + " on " + target;
    return answer;
  });
  // Cancelled: nothing is sent.
  SelectCell(Loopback(), 0);
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

}  // namespace
}  // namespace linkwatch::desktop
