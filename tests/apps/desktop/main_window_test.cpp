// The window without a device: the chart's axis, the statistics chooser over the
// shipped statistics file, and profiles through the window.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "ConnectionBar.h"
#include "DesktopFixture.h"
#include "ProfileFile.h"
#include "StatisticsChooser.h"
#include "TrafficChart.h"
#include "support/Files.h"

namespace linkwatch::desktop {
namespace {

using testing::DesktopFixture;

class MainWindowTest : public DesktopFixture {};

// Clicks the button with this text; false when there is none.
bool Click(QWidget& parent, const QString& text) {
  for (QPushButton* button : parent.findChildren<QPushButton*>()) {
    if (button->text() == text) {
      button->click();
      return true;
    }
  }
  return false;
}

TEST_F(MainWindowTest, ChartAxisSwitchesToTheNextPrefixAtExactlyAThousand) {
  TrafficChart chart;
  const QDateTime now = QDateTime::currentDateTime();
  for (const auto& [top, title] : {std::pair{999.0, "bps"}, {1000.0, "kbps"}, {-1e6, "Mbps"},
                                   {2.5e9, "Gbps"}}) {
    chart.Follow("eth0 — In", "bps");
    chart.AddPoint(now, top);
    EXPECT_EQ(chart.ValueAxisTitle().toStdString(), title) << top;
  }
}

TEST_F(MainWindowTest, ChooserKeepsTheOrderOfChoosingAndApplyingSetsTheStatisticsList) {
  MainWindow& w = MakeWindow();
  StatisticsChooser& chooser = w.Chooser();
  chooser.SetChosenList("Interface Name,speed,No Such Statistic");
  // Names are matched in any letter case and shown as the file spells them;
  // names the file does not know are kept.
  EXPECT_EQ(chooser.ChosenList(), "Interface Name,Speed,No Such Statistic");
  EXPECT_TRUE(chooser.IsChecked("Speed"));
  EXPECT_FALSE(chooser.IsChecked("In Traffic"));

  chooser.SetChecked("Out Traffic", true);
  chooser.SetChecked("In Traffic", true);
  chooser.SetChecked("Speed", false);
  EXPECT_EQ(chooser.ChosenList(), "Interface Name,No Such Statistic,Out Traffic,In Traffic");
  chooser.MoveChosen(3, 0);
  EXPECT_EQ(chooser.ChosenList(), "In Traffic,Interface Name,No Such Statistic,Out Traffic");

  chooser.ChosenView().setCurrentRow(2);
  ASSERT_TRUE(Click(chooser, "Remove"));
  EXPECT_EQ(chooser.ChosenList(), "In Traffic,Interface Name,Out Traffic");
  chooser.ChosenView().setCurrentRow(0);
  ASSERT_TRUE(Click(chooser, "Down"));
  EXPECT_EQ(chooser.ChosenList(), "Interface Name,In Traffic,Out Traffic");

  ASSERT_TRUE(Click(chooser, "Apply"));
  EXPECT_EQ(w.List().StatisticsList(), "Interface Name,In Traffic,Out Traffic");
  EXPECT_EQ(Model().headerData(1, Qt::Horizontal).toString(), "In");
}

TEST_F(MainWindowTest, ProfileSavedWithoutPasswordsOpensInAFreshWindowWithoutThem) {
  support::TemporaryDirectory scratch("linkwatch-desktop-profile");
  const QString path = QString::fromStdString(scratch.Path()) + "/office.json";
  const Profile saved = {{"192.0.2.1", 1161, 2, "s3cret-community", "monitor", "", 2, "s3cret-auth",
                          2, "s3cret-priv"},
                         "Interface Name,Out Traffic", 120, false, true};
  {
    MainWindow& w = MakeWindow();
    w.Bar().SetSettings(saved.Connection);
    w.Bar().SetRefreshInterval(saved.RefreshInterval);
    w.Bar().SetAutoUpdate(saved.AutoUpdate);
    w.Bar().SetParallelWalks(saved.ParallelWalks);
    w.Chooser().SetChosenList(saved.StatisticsList);
    w.Chooser().Apply();
    ASSERT_EQ(w.SaveProfile(path, false), "");
  }
  window.reset();

  MainWindow& fresh = MakeWindow();
  EXPECT_EQ(fresh.CurrentProfile(), Profile{}) << "a new window remembers nothing";
  ASSERT_EQ(fresh.OpenProfile(path), "");
  Profile expected = saved;
  expected.Connection.Community.clear();
  expected.Connection.AuthPass.clear();
  expected.Connection.PrivPass.clear();
  EXPECT_EQ(fresh.CurrentProfile(), expected);
  EXPECT_EQ(fresh.List().StatisticsList(), "Interface Name,Out Traffic");
  EXPECT_EQ(fresh.List().RefreshInterval(), 120);
}

TEST_F(MainWindowTest, AShutDownWithoutMonitoringAsksNothing) {
  // Without monitoring nothing is asked and nothing is written.
  MainWindow& w = MakeWindow();
  int asked = 0;
  w.SetShutdownConfirmation([&](const QString&, const QString&) { return ++asked, true; });
  w.ShutDownSelectedInterface();
  EXPECT_EQ(asked, 0);
}

}  // namespace
}  // namespace linkwatch::desktop
