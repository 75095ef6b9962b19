// A refresh passes over what fails and still finishes; RefreshChildren called by
// the host reports its failure.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "fakes/ControlFixture.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

using testing_control::DeviceFixture;

class RefreshFailuresTest : public DeviceFixture {};

// A statistic without definition spoils only its own cell of an interface row;
// in a child row it ends the rows of that interface's children.
TEST_F(RefreshFailuresTest, AFailureSpoilsACellOrTheInterfacesLaterChildren) {
  AddDevice(2);
  AddClient(2, 3);
  Start("Interface Name,Orphan,Signal");
  Interfaces& all = *control->Interfaces();
  all.SetStatistic(2, "", "Orphan", "42", "");
  all.SetStatistic(2, "", "Signal", "-30", "");
  all.SetStatistic(1, "1", "Signal", "-60", "");
  all.SetStatistic(1, "1", "Orphan", "1", "");
  all.SetStatistic(1, "2", "Signal", "-70", "");
  int selectionEvents = 0;
  control->SelectionChanged.Subscribe([&] { ++selectionEvents; });

  control->RefreshTable();

  EXPECT_EQ(Attribute(kCellSort, "I:2", "Orphan"), GridValue{42.0}) << "set before the failure";
  EXPECT_EQ(Text("I:2", "Orphan"), "");
  EXPECT_EQ(Text("I:2", "Signal"), "-30") << "the interface row goes on";
  ASSERT_GE(RowOf("C:1.1"), 1);
  EXPECT_EQ(Text("C:1.1", "Interface Name"), "Client 1");
  EXPECT_EQ(Text("C:1.1", "Signal"), "") << "after the failing column";
  EXPECT_LT(RowOf("C:1.2"), 1) << "the next child of that interface is not reached";
  EXPECT_EQ(Text("C:2.3", "Signal"), "-40") << "the next interface's children are";
  EXPECT_EQ(selectionEvents, 1);
  EXPECT_FALSE(grid.RedrawSuspended());
}

TEST_F(RefreshFailuresTest, RefreshChildrenReportsAMissingInterfaceOrRowAndChangesNothing) {
  AddDevice(1);
  Start("Signal");
  EXPECT_THROW(control->RefreshChildren(nullptr), std::invalid_argument);

  control->Interfaces()->SetStatistic(5, "1", "Signal", "-60", "");  // no row yet
  const int rows = grid.Rows();
  EXPECT_THROW(control->RefreshChildren(control->Interfaces()->Item("I:5")), std::runtime_error);
  EXPECT_EQ(grid.Rows(), rows);

  control->RefreshTable();  // gives interface 5 its row and the child its row under it
  EXPECT_EQ(grid.RowData(RowOf("I:5") + 1), "C:5.1");
}

}  // namespace
}  // namespace linkwatch
