#pragma once
#include <QMainWindow>
#include <functional>
#include <optional>

#include "Profile.h"
#include "control/CycleTracker.h"

class QAction;
class QDockWidget;

namespace linkwatch {
class InterfaceListWidget;
class StatisticTemplate;
}

namespace linkwatch::desktop {

class ConnectionBar;
class GridContextMenu;
class StatisticsChooser;
class StatusPanel;
class TrafficChart;

// The desktop monitor's window: the connection bar on top, the control's grid in
// the middle, the statistics chooser docked on the left, the live chart docked
// below, and the device's status in the status bar.
//
// It starts from the defaults of Profile every run and remembers nothing unless
// the user saves a profile (File menu).
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Asked before an interface is shut down on the device; true goes ahead.
  using ShutdownConfirmation =
      std::function<bool(const QString& interfaceName, const QString& target)>;

  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  InterfaceListWidget& List() const { return *list_; }
  ConnectionBar& Bar() const { return *bar_; }
  StatisticsChooser& Chooser() const { return *chooser_; }
  StatusPanel& StatusInfo() const { return *status_; }
  TrafficChart& Chart() const { return *chart_; }
  GridContextMenu& ContextMenu() const { return *contextMenu_; }

  // Hands the bar's settings to the control and starts monitoring. On failure
  // the status bar shows the control's LastError and false comes back.
  bool Start();
  void Stop();
  void PollNow();

  // The settings as a profile, and back. Applying a profile stops monitoring.
  Profile CurrentProfile() const;
  void ApplyProfile(const Profile& profile);
  // Each returns an empty text on success, else the error (also shown to the user
  // when the menu was used).
  QString SaveProfile(const QString& path, bool includePasswords) const;
  QString OpenProfile(const QString& path);

  // The grid's context menu actions, on the selected interface.
  void EnableSelectedInterface();
  void ShutDownSelectedInterface();
  void SetShutdownConfirmation(ShutdownConfirmation confirmation);
  void ShowContextMenu(const QPoint& globalPosition);

  // The number the chart draws for a statistic's CurrentValue: the value in the
  // units the grid shows it in.
  static double ChartValueOf(const StatisticTemplate& definition, double currentValue);

 private:
  // The statistic the chart follows: one statistic of one interface.
  struct ChartTarget {
    int IfIndex = 0;
    QString StatName;
    bool operator==(const ChartTarget&) const = default;
  };

  void BuildMenus();
  void BuildDocks();
  void ConnectControl();
  void ConnectContextMenu();
  void ApplyConnection();
  void ApplyStatistics(const QString& list);
  void OnPollTimer();
  void OnCycleEnded();
  void ShowEndedCycles();
  void ShowDevice();
  void FollowSelection();
  void SampleChart();
  void UpdateTitle();
  void UpdateMenuState();
  void ReportActionResult(bool ok);
  bool ConfirmShutdownInDialog(const QString& interfaceName, const QString& target);
  void OnSaveProfileChosen();
  void OnOpenProfileChosen();

  InterfaceListWidget* list_;
  ConnectionBar* bar_;
  StatisticsChooser* chooser_;
  StatusPanel* status_;
  TrafficChart* chart_;
  GridContextMenu* contextMenu_;
  QDockWidget* chooserDock_ = nullptr;
  QDockWidget* chartDock_ = nullptr;
  QAction* includePasswords_ = nullptr;
  QAction* startAction_ = nullptr;
  QAction* stopAction_ = nullptr;
  QAction* pollAction_ = nullptr;
  ShutdownConfirmation confirmShutdown_;
  CycleTracker cycles_;
  bool overrunShown_ = false;
  std::optional<ChartTarget> charted_;
};

}  // namespace linkwatch::desktop
