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

  // Observes the child object itself, not a handle to it.
  static std::weak_ptr<InterfaceChild> Observe(const std::shared_ptr<InterfaceChild>& child) {
    return child->weak_from_this();
  }
};

// A held interface keeps its children, and a held child its interface, once the
// collection is gone (it is replaced at the next start).
TEST_F(ModelLifetimeTest, AHeldInterfaceOrChildKeepsThePairReadable) {
  // Interface 7 with children 1 and 2, each with a value.
  auto interfaces = std::make_unique<Interfaces>();
  interfaces->SetStatistic(7, "", "SIGNAL", "1", "");
  interfaces->SetStatistic(7, "1", "SIGNAL", "2", "");
  interfaces->SetStatistic(7, "2", "SIGNAL", "3", "");
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
