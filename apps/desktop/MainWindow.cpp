// The window's construction, its menus and docks, and starting and stopping.
#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDockWidget>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "ConnectionBar.h"
#include "GridContextMenu.h"
#include "StatisticsChooser.h"
#include "StatusPanel.h"
#include "TrafficChart.h"
#include "control/InterfaceList.h"
#include "platform/widgets/GridView.h"
#include "platform/widgets/InterfaceListWidget.h"

namespace linkwatch::desktop {

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
  // The control first: it installs the platform the chooser's statistics come from.
  list_ = new InterfaceListWidget(this);
  setCentralWidget(list_);

  bar_ = new ConnectionBar(this);
  auto* barHolder = addToolBar(tr("Connection"));
  barHolder->setObjectName(QStringLiteral("connectionBar"));
  barHolder->setMovable(false);
  barHolder->setFloatable(false);
  barHolder->addWidget(bar_);

  chooser_ = new StatisticsChooser(*list_->StatisticTemplates(), this);
  chart_ = new TrafficChart(this);
  status_ = new StatusPanel(this);
  statusBar()->addWidget(status_, 1);
  statusBar()->setSizeGripEnabled(true);
  contextMenu_ = new GridContextMenu(this);
  confirmShutdown_ = [this](const QString& name, const QString& target) {
    return ConfirmShutdownInDialog(name, target);
  };

  BuildDocks();
  BuildMenus();
  ConnectControl();
  ConnectContextMenu();

  ApplyProfile(Profile{});
  UpdateTitle();
  resize(1280, 800);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildDocks() {
  chooserDock_ = new QDockWidget(tr("Statistics"), this);
  chooserDock_->setObjectName(QStringLiteral("statisticsDock"));
  chooserDock_->setWidget(chooser_);
  chooserDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  addDockWidget(Qt::LeftDockWidgetArea, chooserDock_);

  chartDock_ = new QDockWidget(tr("Chart"), this);
  chartDock_->setObjectName(QStringLiteral("chartDock"));
  chartDock_->setWidget(chart_);
  chartDock_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  addDockWidget(Qt::BottomDockWidgetArea, chartDock_);
  resizeDocks({chooserDock_}, {300}, Qt::Horizontal);
  resizeDocks({chartDock_}, {240}, Qt::Vertical);

  connect(chooser_, &StatisticsChooser::Applied, this, &MainWindow::ApplyStatistics);
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->addAction(tr("&Open Profile…"), QKeySequence::Open, this,
                  &MainWindow::OnOpenProfileChosen);
  file->addAction(tr("&Save Profile…"), QKeySequence::Save, this,
                  &MainWindow::OnSaveProfileChosen);
  includePasswords_ = file->addAction(tr("&Include Passwords in Saved Profiles"));
  includePasswords_->setCheckable(true);
  includePasswords_->setToolTip(
      tr("Also save the community and the SNMPv3 passwords (the file is then readable by you "
         "alone)"));
  file->addSeparator();
  file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);

  QMenu* monitor = menuBar()->addMenu(tr("&Monitor"));
  startAction_ = monitor->addAction(tr("&Start"), this, [this] { Start(); });
  stopAction_ = monitor->addAction(tr("S&top"), this, &MainWindow::Stop);
  pollAction_ = monitor->addAction(tr("&Poll Now"), QKeySequence::Refresh, this,
                                   &MainWindow::PollNow);
  stopAction_->setEnabled(false);
  pollAction_->setEnabled(false);

  QMenu* interfaceMenu = menuBar()->addMenu(tr("&Interface"));
  interfaceMenu->addActions(contextMenu_->actions());
  connect(interfaceMenu, &QMenu::aboutToShow, this, &MainWindow::UpdateMenuState);
  // The shortcuts of the menu's actions work while its menus are closed too.
  addActions(contextMenu_->actions());

  QMenu* view = menuBar()->addMenu(tr("&View"));
  view->addAction(chooserDock_->toggleViewAction());
  view->addAction(chartDock_->toggleViewAction());
}

void MainWindow::ConnectControl() {
  connect(bar_, &ConnectionBar::StartRequested, this, [this] { Start(); });
  connect(bar_, &ConnectionBar::StopRequested, this, &MainWindow::Stop);
  connect(bar_, &ConnectionBar::RefreshIntervalChanged, list_,
          &InterfaceListWidget::SetRefreshInterval);
  connect(bar_, &ConnectionBar::AutoUpdateChanged, list_, &InterfaceListWidget::SetAutoUpdate);

  connect(list_, &InterfaceListWidget::PollTimer, this, &MainWindow::OnPollTimer);
  connect(list_, &InterfaceListWidget::Status, this, &MainWindow::OnCycleEnded);
  connect(list_, &InterfaceListWidget::SystemMIBComplete, this, &MainWindow::ShowDevice);
  connect(list_, &InterfaceListWidget::SelectionChanged, this, &MainWindow::FollowSelection);
  connect(list_, &InterfaceListWidget::MouseUp, this,
          [this](int button, int, float, float) {
            constexpr int kRightButton = 2;
            if (button == kRightButton) ShowContextMenu(QCursor::pos());
          });
  // The menu opens on the release of the right button, once the control has put
  // the cursor on the clicked cell; the view's own press-time menu stays off.
  list_->View().setContextMenuPolicy(Qt::PreventContextMenu);
}

bool MainWindow::Start() {
  ApplyConnection();
  QApplication::setOverrideCursor(Qt::WaitCursor);  // the start-up probes wait for the device
  const bool started = list_->StartMonitoring();
  QApplication::restoreOverrideCursor();

  status_->ShowError(list_->LastError());
  if (!started) {
    UpdateTitle();
    return false;
  }
  bar_->SetRunning(true);
  startAction_->setEnabled(false);
  stopAction_->setEnabled(true);
  pollAction_->setEnabled(true);
  charted_.reset();
  FollowSelection();
  ShowDevice();
  UpdateTitle();
  return true;
}

void MainWindow::Stop() {
  list_->StopMonitoring();
  bar_->SetRunning(false);
  startAction_->setEnabled(true);
  stopAction_->setEnabled(false);
  pollAction_->setEnabled(false);
  status_->ShowSecondsTillUpdate(-1);
  status_->ShowError(list_->LastError());
  UpdateTitle();
}

void MainWindow::PollNow() {
  if (list_->Active()) list_->Poll(false);
}

void MainWindow::ApplyConnection() {
  const ConnectionSettings settings = bar_->Settings();
  list_->SetTarget(settings.Target);
  list_->SetSNMPPort(settings.Port);
  list_->SetSNMPVersion(settings.Version);
  list_->SetCommunity(settings.Community);
  list_->SetSNMPUsername(settings.User);
  list_->SetSNMPContext(settings.Context);
  list_->SetSNMPAuthType(settings.AuthType);
  list_->SetSNMPAuthPass(settings.AuthPass);
  list_->SetSNMPEncryptType(settings.PrivType);
  list_->SetSNMPEncryptPass(settings.PrivPass);
  list_->SetRefreshInterval(bar_->RefreshInterval());
  list_->SetAutoUpdate(bar_->AutoUpdate());
  list_->SetSynchronous(bar_->ParallelWalks());
}

void MainWindow::ApplyStatistics(const QString& list) {
  list_->SetStatisticsList(list);
  // A running monitor shows the new columns filled at the next poll; poll now.
  PollNow();
}

void MainWindow::OnPollTimer() {
  // A poll never starts while the last cycle's walks still run (a new poll would
  // restart the list under them, and on a slow device cycles would pile up): the
  // control's timer polls only with AutoUpdate, which is held off while they run.
  const bool busy = list_->Control().WalksInProgress() > 0;
  const bool due = list_->Active() && list_->SecondsTillUpdate() < 0;
  list_->SetAutoUpdate(bar_->AutoUpdate() && !busy);
  if (busy && due && !overrunShown_) {
    overrunShown_ = true;
    status_->ShowError(tr("The last poll is taking longer than the interval; the next one "
                          "starts when it ends."));
  } else if (!busy && overrunShown_) {
    overrunShown_ = false;
    status_->ShowError(list_->LastError());
  }
  status_->ShowSecondsTillUpdate(list_->SecondsTillUpdate());
  status_->ShowUptime(list_->LastBoot(), QDateTime::currentDateTime());
  const InterfaceList& control = list_->Control();
  cycles_.Observe(control.WalksInProgress(), control.NextPoll());
  ShowEndedCycles();
}

void MainWindow::OnCycleEnded() {
  const InterfaceList& control = list_->Control();
  cycles_.OnStatus(control.WalksInProgress(), control.NextPoll());
  ShowEndedCycles();
}

void MainWindow::ShowEndedCycles() {
  const CycleTracker::Ends ends = cycles_.Take();
  if (ends.Complete + ends.Incomplete == 0 || !list_->Active()) return;
  InterfaceList& control = list_->Control();
  // A chain that failed never refreshed the table: show what did arrive, and why
  // the rest did not.
  if (ends.Incomplete > 0) control.RefreshTable();
  const std::vector<std::string>& failures = control.WalkFailures();
  if (!failures.empty()) {
    status_->ShowError(tr("The walk of %1").arg(QString::fromStdString(failures.front())));
  } else if (ends.Incomplete > 0) {
    status_->ShowError(tr("A walk of the last poll got no answer; the grid shows what arrived."));
  } else if (!overrunShown_) {
    status_->ShowError(list_->LastError());
  }
  ShowDevice();
  SampleChart();
}

void MainWindow::ShowDevice() {
  status_->ShowDevice(list_->SysName(), list_->Vendor(), list_->MachineType(),
                      list_->VendorIcon());
  status_->ShowUptime(list_->LastBoot(), QDateTime::currentDateTime());
  status_->ShowSecondsTillUpdate(list_->Active() ? list_->SecondsTillUpdate() : -1);
}

void MainWindow::UpdateTitle() {
  QString title = tr("Linkwatch Desktop");
  if (list_->Active()) {
    static const char* const kVersions[] = {"", "SNMPv1", "SNMPv2c", "SNMPv3"};
    const int version = list_->SNMPVersion();
    title += QStringLiteral(" — %1").arg(list_->Target());
    if (version >= 1 && version <= 3) title += QStringLiteral(" (%1)").arg(kVersions[version]);
  }
  setWindowTitle(title);
}

}  // namespace linkwatch::desktop
