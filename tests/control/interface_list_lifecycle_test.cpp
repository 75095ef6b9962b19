#include <gtest/gtest.h>

#include <memory>

#include "common/ControlForm.h"
#include "fakes/ControlFixture.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

class InterfaceListLifecycleTest : public ::testing::Test {
 protected:
  testing_control::ControlTestPlatform platform_;

  fakes::FakeDnsResolver& Resolver() {
    Globals::Form();
    return *platform_.Platform().LastResolver();
  }
};

// A resolver answer after the control is gone must reach no handler of it, and
// the interfaces and their children refer to each other: both are let go.
TEST_F(InterfaceListLifecycleTest, DestructionUnsubscribesAndFreesTheCollection) {
  auto control = std::make_unique<InterfaceList>();
  InterfaceListInternals::ReplaceInterfaces(*control);
  control->Interfaces()->SetStatistic(4, "2", "SIGNAL", "-50", "");
  std::weak_ptr<Interface> interface = control->Interfaces()->Item("I:4");
  ASSERT_EQ(Resolver().SubscriberCount(), 1);

  control.reset();
  EXPECT_TRUE(interface.expired());
  EXPECT_EQ(Resolver().SubscriberCount(), 0);
}

class ResolverAnswerTest : public InterfaceListLifecycleTest {
 protected:
  void SetUp() override { InterfaceListInternals::ReplaceInterfaces(control_); }
  InterfaceList control_;
};

TEST_F(ResolverAnswerTest, NamesReachTheInterfaceOrChildOfTheTag) {
  Resolver().Answer("gateway", "10.0.0.1", "7::REVERSE");
  Resolver().Answer("printer", "10.0.0.9", "7:12:REVERSE");
  const auto seven = control_.Interfaces()->Item("I:7");
  ASSERT_NE(seven, nullptr);
  const auto own = seven->OwnStatistics().Item("REVERSE");
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(own->RawText(), "DNS:gateway");
  const auto child = seven->Children()->Item("C:7.12");
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->Statistics()->Item("REVERSE")->RawText(), "DNS:printer");
}

// Before the first start there is no collection: resolver answers, pruning and
// refreshes leave the control and its grid alone.
TEST_F(InterfaceListLifecycleTest, BeforeTheFirstStartNothingIsTouched) {
  InterfaceList control;
  fakes::RecordingGrid& grid = *platform_.Platform().LastGrid();
  control.SetStatisticsList("Interface Name");
  int selectionEvents = 0;
  control.SelectionChanged.Subscribe([&] { ++selectionEvents; });

  EXPECT_NO_THROW(Resolver().Answer("gateway", "10.0.0.1", "7::REVERSE"));
  EXPECT_NO_THROW(InterfaceListInternals::PruneStatistics(control));
  control.RefreshTable();

  EXPECT_EQ(control.Interfaces(), nullptr);
  EXPECT_EQ(grid.Rows(), 1);
  EXPECT_FALSE(grid.RedrawSuspended());
  EXPECT_EQ(selectionEvents, 0);
}

}  // namespace
}  // namespace linkwatch
