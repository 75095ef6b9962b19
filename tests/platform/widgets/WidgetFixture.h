#pragma once
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <string>

#include "WidgetTestSupport.h"
#include "common/Globals.h"
#include "platform/host/HostPlatform.h"
#include "platform/widgets/GridModel.h"
#include "platform/widgets/GridView.h"
#include "platform/widgets/InterfaceListWidget.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch::testing_widgets {

// The real host platform with Qt fonts, the shipped statistics file, a control
// widget, and a watcher that closes any message box the control shows (a test
// must never wait for a user) and keeps its text for the test to check.
class WidgetFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Application();
    StatisticTemplates::SetFileOverride(std::string(LINKWATCH_SOURCE_DIR) + "/data/OSTLNK9.cfg");
    HostPlatform::InstallForThisThread(HostPlatformOptions{true});
    boxWatcher.setInterval(20);
    QObject::connect(&boxWatcher, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        messageBoxes << box->text();
        box->done(QMessageBox::Ok);
      }
    });
    boxWatcher.start();
    widget = std::make_unique<InterfaceListWidget>();
  }

  void TearDown() override {
    boxWatcher.stop();
    modelTester.reset();
    widget.reset();
    Globals::Reset();
    StatisticTemplates::SetFileOverride("");
  }

  // A widget aimed at an agent on loopback, counting the end of poll cycles.
  InterfaceListWidget& MakeWidget(int port, const QString& community, const QString& statistics) {
    widget = std::make_unique<InterfaceListWidget>();
    widget->resize(900, 420);
    widget->SetTarget("127.0.0.1");
    widget->SetSNMPPort(port);
    widget->SetSNMPTimeoutMs(1000);
    widget->SetSNMPRetries(1);
    widget->SetCommunity(community);
    widget->SetStatisticsList(statistics);
    QObject::connect(widget.get(), &InterfaceListWidget::Status, [this](bool) { ++cycles; });
    // Every refresh the control's poll cycles bring keeps Qt's model contract.
    modelTester = std::make_unique<QAbstractItemModelTester>(
        &widget->View().Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    widget->show();
    return *widget;
  }

  // Runs the loop until `count` more poll cycles have ended and the view has
  // shown their result.
  bool WaitForCycles(int count) {
    const int target = cycles + count;
    return RunUntil(
        [&] {
          return cycles >= target && widget->Control().WalksInProgress() == 0 &&
                 !widget->View().RefreshPending();
        },
        std::chrono::seconds(20));
  }

  GridModel& Model() const { return widget->View().Model(); }

  std::unique_ptr<InterfaceListWidget> widget;
  std::unique_ptr<QAbstractItemModelTester> modelTester;
  int cycles = 0;
  QTimer boxWatcher;
  QStringList messageBoxes;
};

}  // namespace linkwatch::testing_widgets
