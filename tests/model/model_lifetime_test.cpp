// An interface and its children refer to each other; these tests make sure the
// pair is freed once nothing outside holds it, and stays usable while something does.
#include <gtest/gtest.h>

#include <memory>

#include "fakes/ControlFixture.h"
#include "model/InterfaceChild.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

class ModelLifetimeTest : public ::testing::Test {
 protected:
  testing_control::ControlTestPlatform platform_;

  // A collection with interface 7 that has children 1 and 2, each with a value.
  static std::unique_ptr<Interfaces> Filled() {
    auto interfaces = std::make_unique<Interfaces>();
    interfaces->SetStatistic(7, "", "SIGNAL", "1", "");
    interfaces->SetStatistic(7, "1", "SIGNAL", "2", "");
    interfaces->SetStatistic(7, "2", "SIGNAL", "3", "");
    return interfaces;
  }
  // Observes the child object itself, not a handle to it.
  static std::weak_ptr<InterfaceChild> Observe(const std::shared_ptr<InterfaceChild>& child) {
    return child->weak_from_this();
  }
};

TEST_F(ModelLifetimeTest, ClearAndRemoveFreeWhatNobodyHolds) {
  auto interfaces = Filled();
  interfaces->SetStatistic(8, "1", "SIGNAL", "4", "");
  std::weak_ptr<Interface> seven = interfaces->Item("I:7");
  std::weak_ptr<InterfaceChild> sevensChild = Observe(seven.lock()->Children()->Item(1));
  std::weak_ptr<Interface> eight = interfaces->Item("I:8");
  std::weak_ptr<InterfaceChild> eightsChild = Observe(eight.lock()->Children()->Item(1));
  interfaces->Remove("I:8");
  EXPECT_TRUE(eight.expired());
  EXPECT_TRUE(eightsChild.expired());
  // A removed child stays valid for its holder only.
  std::shared_ptr<InterfaceChild> held = seven.lock()->Children()->Item("C:7.2");
  seven.lock()->Children()->Remove("C:7.2");
  EXPECT_EQ(seven.lock()->Children()->Count(), 1);
  EXPECT_EQ(held->Key(), "C:7.2");
  EXPECT_EQ(held->Interface(), seven.lock());
  std::weak_ptr<InterfaceChild> removed = Observe(held);
  held.reset();
  EXPECT_TRUE(removed.expired());
  interfaces->Clear();
  EXPECT_TRUE(seven.expired());
  EXPECT_TRUE(sevensChild.expired());
}

// A held interface keeps its children, and a held child its interface, once the
// collection is gone (it is replaced at the next start).
TEST_F(ModelLifetimeTest, AHeldInterfaceOrChildKeepsThePairReadable) {
  auto interfaces = Filled();
  std::shared_ptr<Interface> heldInterface = interfaces->Item("I:7");
  std::shared_ptr<InterfaceChild> held = heldInterface->Children()->Item("C:7.2");
  std::weak_ptr<InterfaceChild> sibling = Observe(heldInterface->Children()->Item(1));
  interfaces.reset();
  EXPECT_EQ(heldInterface->Children()->Count(), 2);
  EXPECT_EQ(heldInterface->Children()->Item(1)->Interface(), heldInterface);

  std::weak_ptr<Interface> interface = heldInterface;
  heldInterface.reset();
  ASSERT_NE(held->Interface(), nullptr);
  EXPECT_EQ(held->Interface()->Index(), 7);
  EXPECT_EQ(held->Interface()->OwnStatistics().Count(), 1);
  EXPECT_EQ(held->Statistics()->Item(1)->RawText(), "3");
  held.reset();
  EXPECT_TRUE(interface.expired());
  EXPECT_TRUE(sibling.expired());
}

}  // namespace
}  // namespace linkwatch
