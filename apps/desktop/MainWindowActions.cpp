// What the window does for the user once it is built: profiles, the grid's
// context menu and its device actions, and the live chart.
#include <QAction>
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>

#include "ConnectionBar.h"
#include "GridContextMenu.h"
#include "MainWindow.h"
#include "ProfileFile.h"
#include "StatisticsChooser.h"
#include "StatusPanel.h"
#include "TrafficChart.h"
#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "model/Interfaces.h"
#include "platform/widgets/GridView.h"
#include "platform/widgets/InterfaceListWidget.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/Statistics.h"

namespace linkwatch::desktop {
namespace {

const char* const kProfileFilter = QT_TRANSLATE_NOOP("MainWindow", "Linkwatch profiles (*.json)");

QString InterfaceLabel(const Interface& row) {
  return row.Name().empty() ? MainWindow::tr("interface %1").arg(row.Index())
                            : QString::fromStdString(row.Name());
}

}  // namespace

double MainWindow::ChartValueOf(const StatisticTemplate& definition, double currentValue) {
  // The TRAFFIC parser keeps octets per second in CurrentValue and shows bits
  // per second; the chart shows what the grid shows.
  return definition.Parser() == "TRAFFIC" ? currentValue * 8 : currentValue;
}

// Profiles.

Profile MainWindow::CurrentProfile() const {
  Profile profile;
  profile.Connection = bar_->Settings();
  profile.StatisticsList = list_->StatisticsList();
  profile.RefreshInterval = bar_->RefreshInterval();
  profile.AutoUpdate = bar_->AutoUpdate();
  profile.ParallelWalks = bar_->ParallelWalks();
  return profile;
}

void MainWindow::ApplyProfile(const Profile& profile) {
  if (list_->Active()) Stop();
  bar_->SetSettings(profile.Connection);
  bar_->SetRefreshInterval(profile.RefreshInterval);
  bar_->SetAutoUpdate(profile.AutoUpdate);
  bar_->SetParallelWalks(profile.ParallelWalks);
  chooser_->SetChosenList(profile.StatisticsList);
  list_->SetStatisticsList(profile.StatisticsList);
  list_->SetRefreshInterval(profile.RefreshInterval);
  list_->SetAutoUpdate(profile.AutoUpdate);
}

QString MainWindow::SaveProfile(const QString& path, bool includePasswords) const {
  return ProfileFile::Save(path, CurrentProfile(), includePasswords);
}

QString MainWindow::OpenProfile(const QString& path) {
  Profile profile;
  const QString error = ProfileFile::Load(path, profile);
  if (error.isEmpty()) ApplyProfile(profile);
  return error;
}

void MainWindow::OnSaveProfileChosen() {
  const QString path = QFileDialog::getSaveFileName(this, tr("Save Profile"), QString(),
                                                    tr(kProfileFilter));
  if (path.isEmpty()) return;
  const QString error = SaveProfile(path, includePasswords_->isChecked());
  if (!error.isEmpty()) QMessageBox::warning(this, tr("Save Profile"), error);
}

void MainWindow::OnOpenProfileChosen() {
  const QString path = QFileDialog::getOpenFileName(this, tr("Open Profile"), QString(),
                                                    tr(kProfileFilter));
  if (path.isEmpty()) return;
  const QString error = OpenProfile(path);
  if (!error.isEmpty()) QMessageBox::warning(this, tr("Open Profile"), error);
}

// The grid's context menu.

void MainWindow::ConnectContextMenu() {
  connect(&contextMenu_->Enable(), &QAction::triggered, this,
          &MainWindow::EnableSelectedInterface);
  connect(&contextMenu_->ShutDown(), &QAction::triggered, this,
          &MainWindow::ShutDownSelectedInterface);
  connect(&contextMenu_->HideSelected(), &QAction::triggered, list_,
          &InterfaceListWidget::HideSelectedInterfaces);
  connect(&contextMenu_->ShowAll(), &QAction::triggered, list_,
          &InterfaceListWidget::UnHideAllInterfaces);
  connect(&contextMenu_->Copy(), &QAction::triggered, list_,
          &InterfaceListWidget::CopyToClipboard);
  connect(&contextMenu_->SelectAll(), &QAction::triggered, list_,
          &InterfaceListWidget::SelectAll);
}

void MainWindow::UpdateMenuState() {
  const bool interfaceChosen =
      list_->SelectedInterface() != nullptr && list_->SelectedInterfaceChild() == nullptr;
  contextMenu_->UpdateFor(interfaceChosen, list_->Active(), list_->RowsHidden());
}

void MainWindow::ShowContextMenu(const QPoint& globalPosition) {
  list_->View().Refresh();  // show the cell the right click moved the cursor to
  UpdateMenuState();
  contextMenu_->popup(globalPosition);
}

void MainWindow::SetShutdownConfirmation(ShutdownConfirmation confirmation) {
  confirmShutdown_ = std::move(confirmation);
}

bool MainWindow::ConfirmShutdownInDialog(const QString& interfaceName, const QString& target) {
  QMessageBox box(QMessageBox::Warning, tr("Shut Down Interface"),
                  tr("Shut down %1 on %2?").arg(interfaceName, target),
                  QMessageBox::Yes | QMessageBox::Cancel, this);
  box.setInformativeText(
      tr("This sets the interface's administrative status to down on the device. Traffic "
         "through it stops, and if you reach the device through this interface you lose the "
         "connection to it."));
  box.setDefaultButton(QMessageBox::Cancel);
  box.button(QMessageBox::Yes)->setText(tr("Shut Down"));
  return box.exec() == QMessageBox::Yes;
}

void MainWindow::EnableSelectedInterface() {
  const auto row = list_->SelectedInterface();
  if (row == nullptr || !list_->Active()) return;
  ReportActionResult(list_->AdminEnableInterface(row));
}

void MainWindow::ShutDownSelectedInterface() {
  const auto row = list_->SelectedInterface();
  if (row == nullptr || !list_->Active()) return;
  if (!confirmShutdown_ || !confirmShutdown_(InterfaceLabel(*row), list_->Target())) return;
  ReportActionResult(list_->AdminShutdownInterface(row));
}

void MainWindow::ReportActionResult(bool ok) {
  // A refused write leaves its reason in LastError; a good one clears nothing,
  // so show the control's text either way.
  status_->ShowError(ok ? QString() : list_->LastError());
}

// The live chart.

void MainWindow::FollowSelection() {
  const auto statistic = list_->SelectedStatistic();
  const auto row = list_->SelectedInterface();
  const auto definition = statistic != nullptr ? statistic->StatisticTemplate() : nullptr;
  const bool chartable = row != nullptr && list_->SelectedInterfaceChild() == nullptr &&
                         definition != nullptr && definition->Graphable();
  if (!chartable) {
    if (charted_ || chart_->Following()) {
      charted_.reset();
      chart_->Unfollow(tr("Select a cell of a chartable statistic (such as In Traffic) to chart it"));
    }
    return;
  }
  const ChartTarget target{row->Index(), QString::fromStdString(definition->StatName())};
  if (charted_ == target) return;  // the table was refreshed, the selection is the same
  charted_ = target;
  chart_->Follow(QStringLiteral("%1 — %2").arg(InterfaceLabel(*row),
                                                QString::fromStdString(definition->Header())),
                 QString::fromStdString(definition->Units()));
  SampleChart();  // the value the grid shows now, so the chart never starts blank
}

void MainWindow::SampleChart() {
  if (!charted_) return;
  const auto interfaces = list_->Interfaces();
  const auto row = interfaces ? interfaces->Item(Interface::KeyFor(charted_->IfIndex)) : nullptr;
  const auto statistic =
      row ? row->Statistics()->Item(charted_->StatName.toStdString()) : nullptr;
  if (statistic == nullptr || statistic->Baselining() ||
      statistic->CurrentValue() == Statistic::kNoValue) {
    return;
  }
  const auto definition = statistic->StatisticTemplate();
  if (definition == nullptr) return;
  chart_->AddPoint(QDateTime::currentDateTime(),
                   ChartValueOf(*definition, statistic->CurrentValue()));
}

}  // namespace linkwatch::desktop
