#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QStringList>
#include <chrono>
#include <ostream>
#include <memory>
#include <string>

#include "MainWindow.h"
#include "common/Globals.h"
#include "platform/grid/MemoryGrid.h"
#include "platform/widgets/GridModel.h"
#include "platform/widgets/GridView.h"
#include "platform/widgets/InterfaceListWidget.h"
#include "statistics/StatisticTemplates.h"
#include "support/EventLoop.h"

// Failure messages show Qt texts as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace linkwatch::desktop::testing {

// The widget application for the whole test program, on Qt's offscreen
// platform. It is made before the first test and destroyed after the last one,
// inside main: destroyed among the exit handlers it would outlive parts of Qt it
// still refers to once a window has been shown.
class DesktopEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (QApplication::instance() == nullptr) app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[19] = "apps_desktop_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// Registered once for the program (gtest owns it).
inline ::testing::Environment* const kDesktopEnvironment =
    ::testing::AddGlobalTestEnvironment(new DesktopEnvironment);

// The desktop window with the shipped statistics file, counting the control's
// Status events so tests can wait for poll cycles.
class DesktopFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    StatisticTemplates::SetFileOverride(std::string(LINKWATCH_SOURCE_DIR) + "/data/OSTLNK9.cfg");
  }

  void TearDown() override {
    window.reset();
    Globals::Reset();
    StatisticTemplates::SetFileOverride("");
  }

  MainWindow& MakeWindow() {
    window = std::make_unique<MainWindow>();
    QObject::connect(&window->List(), &InterfaceListWidget::Status, [this] { ++statusEvents; });
    return *window;
  }

  // Runs the event loop until `count` more Status events (ends of a chain of
  // walks; a cycle is over when the control has no walk left in progress) and
  // the view shows the refreshed table.
  bool WaitForCycles(int count, std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    const int target = statusEvents + count;
    return support::RunEventLoopUntil(
        [&] {
          return statusEvents >= target && window->List().Control().WalksInProgress() == 0 &&
                 !window->List().View().RefreshPending();
        },
        deadline);
  }

  // The grid as the view shows it.
  GridModel& Model() const { return window->List().View().Model(); }

  int ColumnWithHeader(const QString& header) const {
    for (int col = 0; col < Model().columnCount(); ++col) {
      if (Model().headerData(col, Qt::Horizontal).toString() == header) return col;
    }
    return -1;
  }

  int RowWithKey(const QString& key) const {
    for (int row = 0; row < Model().rowCount(); ++row) {
      if (Model().index(row, 0).data(GridModel::RowKeyRole).toString() == key) return row;
    }
    return -1;
  }

  // Puts the grid's cursor on a cell the way a click does, through the view.
  void SelectCell(int row, int col) {
    window->List().View().setCurrentIndex(Model().index(row, col));
    QCoreApplication::processEvents();
  }

  std::unique_ptr<MainWindow> window;
  int statusEvents = 0;
};

}  // namespace linkwatch::desktop::testing
