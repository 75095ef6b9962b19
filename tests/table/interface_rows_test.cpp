// Interface rows through the control: a poll ends in a refresh that finds every
// interface's row by key, appends new ones and fills the cells of its columns.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fakes/ControlFixture.h"

namespace linkwatch {
namespace {

using testing_control::DeviceFixture;

class InterfaceRowsTest : public DeviceFixture {};

// A blank after a comma belongs to the next name, and no definition is named so:
// those cells stay empty. Later polls find every row by its key after the user
// sorted, dragged and hid, and append new interfaces below.
TEST_F(InterfaceRowsTest, RowsAreFoundByKeyAndFilledOnlyInColumnsTheInterfaceHas) {
  AddDevice(2);
  Start("Interface Name,Alias, Alias,NOSUCH");
  control->RefreshTable();  // the cycle stops at the names it cannot walk
  ASSERT_EQ(grid.Cols(), 4);
  ASSERT_EQ(grid.Rows(), 3);
  for (int row = 1; row <= 2; ++row) {
    const std::string n = std::to_string(row);
    EXPECT_EQ(grid.RowData(row), "I:" + n);
    EXPECT_EQ(grid.CellText(row, 0), "eth" + n);
    EXPECT_EQ(grid.CellText(row, 1), "port " + n);
    EXPECT_EQ(grid.CellText(row, 2), "") << "no statistic named \" Alias\"";
    EXPECT_EQ(grid.Cell(kCellSort, row, 3), GridValue{}) << "no statistic named NOSUCH";
  }

  // The user sorts by name descending, drags Alias to the front and hides eth1.
  grid.ClickHeader(0);
  grid.ClickHeader(0);
  ASSERT_EQ(grid.RowData(1), "I:2");
  grid.DragColumn(1, 0);
  ASSERT_EQ(grid.ColKey(0), "Alias");
  grid.SetRowHidden(RowOf("I:1"), true);

  // The device gains interface 7 and renames interface 1.
  AddInterface(7);
  engine.SetObject(std::string(testing_control::kIfAlias) + "1", "uplink");
  PollAgain();
  control->RefreshTable();

  ASSERT_EQ(grid.Rows(), 4);
  EXPECT_EQ(grid.RowData(1), "I:2");
  EXPECT_EQ(grid.RowData(2), "I:1");
  EXPECT_EQ(grid.RowData(3), "I:7") << "a new interface is appended below every row";
  EXPECT_TRUE(grid.RowHidden(2)) << "a hidden row stays hidden";
  EXPECT_EQ(Text("I:1", "Alias"), "uplink");
  EXPECT_EQ(Text("I:7", "Alias"), "port 7");
  EXPECT_EQ(Text("I:7", "Interface Name"), "eth7");
  EXPECT_EQ(ColOf("Alias"), 0);
}

// Even when nothing changed, and when a host handler throws.
TEST_F(InterfaceRowsTest, EveryRefreshSuspendsRepaintingRaisesSelectionChangedAndFitsWidthsOnce) {
  AddDevice(2);
  Start("Interface Name,Alias");
  int selectionEvents = 0;
  control->SelectionChanged.Subscribe([&] {
    ++selectionEvents;
    EXPECT_TRUE(grid.RedrawSuspended()) << "still suspended while the host hears of it";
  });
  control->SelectionChanged.Subscribe([] { throw std::runtime_error("host failure"); });
  grid.SetColWidth(0, 1);

  EXPECT_NO_THROW(control->RefreshTable());

  EXPECT_EQ(selectionEvents, 1);
  EXPECT_FALSE(grid.RedrawSuspended());
  EXPECT_EQ(grid.ColWidth(0), 9 * 7) << "fitted to \"Interface\"";
}

}  // namespace
}  // namespace linkwatch
