// The control widget without an agent: its own keys (Ctrl+A selects the whole
// table and Ctrl+C copies what the user sees, hidden rows and collapsed child rows
// left out), and the control as scripts see it through Qt's meta-object system:
// a few properties and methods called by name.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMetaObject>
#include <QTest>
#include <string>

#include "WidgetFixture.h"
#include "platform/grid/GridTestSupport.h"

namespace linkwatch {
namespace {

using testing_widgets::WidgetFixture;

using InterfaceListWidgetTest = WidgetFixture;

TEST_F(InterfaceListWidgetTest, CtrlASelectsTheWholeTableAndCtrlCCopiesWhatTheUserSees) {
  widget->resize(600, 300);
  widget->show();
  // A header row, three interfaces, and two wireless clients under the first.
  MemoryGrid& grid = widget->Grid();
  gridtest::FillTable(grid, {"I:1", "I:2", "I:3"}, 2);
  for (int row = 1; row <= 3; ++row) grid.SetIsSubtotal(row, true);
  for (const char* client : {"C:1.1", "C:1.2"}) {
    const int row = grid.AddChild(1, kGridRelationChild, client, client);
    grid.SetCell(kCellText, row, 1, std::string("-"));
  }
  widget->View().setFocus();
  // I:1's clients collapsed in the view and I:2 hidden by the control.
  widget->View().SetExpanded(1, false);
  grid.SetRowHidden(grid.FindRow("I:2"), true);
  widget->View().Refresh();
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(&widget->View(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(&widget->View(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
            "S0\tS1\r\nI:1/0\tI:1/1\r\nI:3/0\tI:3/1");
  EXPECT_EQ(gridtest::Selection(grid), (std::vector<int>{0, 0, 5, 1}));
  EXPECT_TRUE(messageBoxes.isEmpty()) << messageBoxes.join("; ").toStdString();
}

TEST_F(InterfaceListWidgetTest, PropertiesWorkByName) {
  InterfaceListWidget& list = *widget;
  ASSERT_TRUE(list.setProperty("Target", "192.0.2.1"));
  EXPECT_EQ(list.Control().Target(), "192.0.2.1");
  EXPECT_EQ(list.property("TableObject").value<QObject*>(), &list.View());
  EXPECT_NE(list.property("StatisticTemplates").value<std::shared_ptr<StatisticTemplates>>(),
            nullptr);

  // A new statistics list lays the table out at once, and the view shows it.
  ASSERT_TRUE(list.setProperty("StatisticsList", "Interface Name,In Traffic,No Such Statistic"));
  EXPECT_EQ(list.property("ColumnList").toString(), "Interface Name,In Traffic,No Such Statistic");
  GridModel& model = list.View().Model();
  ASSERT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "In");
  EXPECT_EQ(model.rowCount(), 0);
}

TEST_F(InterfaceListWidgetTest, MethodsWorkByName) {
  InterfaceListWidget& list = *widget;
  list.SetStatisticsList("Interface Name,In Traffic");
  std::shared_ptr<Interface> selected = std::make_shared<Interface>();
  ASSERT_TRUE(QMetaObject::invokeMethod(&list, "SelectedInterface",
                                        Q_RETURN_ARG(std::shared_ptr<linkwatch::Interface>,
                                                     selected)));
  EXPECT_EQ(selected, nullptr);  // the cursor is on the header row

  ASSERT_TRUE(QMetaObject::invokeMethod(&list, "ClearTable"));
  EXPECT_EQ(list.property("ColumnList").toString(), "");
  EXPECT_EQ(list.View().Model().columnCount(), 0);
  EXPECT_EQ(list.Grid().Rows(), 0);
}

}  // namespace
}  // namespace linkwatch
