// The control widget's own keys: Ctrl+A selects the whole table and Ctrl+C copies
// it through the control, in any host, and the copy leaves out what the user
// cannot see (hidden rows and collapsed child rows alike).
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QTest>
#include <string>

#include "WidgetFixture.h"
#include "platform/grid/MemoryGrid.h"

namespace linkwatch {
namespace {

using testing_widgets::WidgetFixture;

class InterfaceListWidgetKeysTest : public WidgetFixture {
 protected:
  void SetUp() override {
    WidgetFixture::SetUp();
    widget = std::make_unique<InterfaceListWidget>();
    widget->resize(600, 300);
    widget->show();
    // A table as the control lays it out: a header row, three interfaces, and two
    // wireless clients under the first.
    MemoryGrid& grid = widget->Grid();
    grid.SetRows(4);
    grid.SetCols(2);
    grid.SetFixedRows(1);
    grid.SetColKey(0, "Interface Name");
    grid.SetColKey(1, "In Traffic");
    grid.SetCell(kCellText, 0, 0, std::string("Name"));
    grid.SetCell(kCellText, 0, 1, std::string("In"));
    const char* names[] = {"wlan0", "eth0", "eth1"};
    for (int row = 1; row <= 3; ++row) {
      grid.SetRowData(row, "I:" + std::to_string(row));
      grid.SetCell(kCellText, row, 0, std::string(names[row - 1]));
      grid.SetCell(kCellText, row, 1, std::to_string(row) + " Kbps");
      grid.SetIsSubtotal(row, true);
    }
    for (const char* client : {"C:1.1", "C:1.2"}) {
      const int row = grid.AddChild(1, kGridRelationChild, client, client);
      grid.SetCell(kCellText, row, 1, std::string("-"));
    }
    widget->View().Refresh();
    widget->View().setFocus();
  }

  std::string CopiedAfterCtrlAAndCtrlC() {
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(&widget->View(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&widget->View(), Qt::Key_C, Qt::ControlModifier);
    return QGuiApplication::clipboard()->text().toStdString();
  }
};

TEST_F(InterfaceListWidgetKeysTest, CtrlASelectsTheWholeTableAndCtrlCCopiesWhatTheUserSees) {
  struct Case {
    const char* what;
    bool collapseWlan0;
    bool hideEth0;
    std::string copied;
  };
  const Case cases[] = {
      {"everything shown", false, false,
       "Name\tIn\r\nwlan0\t1 Kbps\r\nC:1.1\t-\r\nC:1.2\t-\r\neth0\t2 Kbps\r\neth1\t3 Kbps"},
      {"clients collapsed", true, false, "Name\tIn\r\nwlan0\t1 Kbps\r\neth0\t2 Kbps\r\neth1\t3 Kbps"},
      {"eth0 hidden", false, true,
       "Name\tIn\r\nwlan0\t1 Kbps\r\nC:1.1\t-\r\nC:1.2\t-\r\neth1\t3 Kbps"},
      {"both", true, true, "Name\tIn\r\nwlan0\t1 Kbps\r\neth1\t3 Kbps"},
  };
  const int wlan0 = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    widget->View().SetExpanded(wlan0, !c.collapseWlan0);
    widget->Grid().SetRowHidden(widget->Grid().FindRow("I:2"), c.hideEth0);
    widget->View().Refresh();
    EXPECT_EQ(CopiedAfterCtrlAAndCtrlC(), c.copied);
    int row1, col1, row2, col2;
    widget->Grid().GetSelection(row1, col1, row2, col2);
    EXPECT_EQ((std::vector<int>{row1, col1, row2, col2}), (std::vector<int>{0, 0, 5, 1}));
  }
  EXPECT_TRUE(messageBoxes.isEmpty()) << messageBoxes.join("; ").toStdString();
}

}  // namespace
}  // namespace linkwatch
