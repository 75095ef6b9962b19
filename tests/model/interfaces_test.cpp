#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ControlFixture.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

class InterfacesTest : public ::testing::Test {
 protected:
  testing_control::ControlTestPlatform platform_;
  Interfaces interfaces_;

  std::vector<int32_t> IndexesInOrder() const {
    std::vector<int32_t> indexes;
    for (const auto& interface : interfaces_) indexes.push_back(interface->Index());
    return indexes;
  }
};

// Each routing method creates the interface of an unknown index; a later value
// finds it again, and a statistic name in other letter case is the same statistic.
TEST_F(InterfacesTest, RoutedValuesCreateEachInterfaceOnce) {
  interfaces_.SetStatistic(5, "", "SIGNAL", "42", "2A");
  interfaces_.SetStatistic(5, "", "signal", "43", "2B");
  interfaces_.SetName(5, "eth0");
  interfaces_.SetAdminStatus(6, 2);
  interfaces_.SetBandwidth(7, 1e9f);
  EXPECT_EQ(IndexesInOrder(), (std::vector<int32_t>{5, 6, 7}));
  const auto five = interfaces_.Item("I:5");
  EXPECT_EQ(five->Name(), "eth0");
  ASSERT_EQ(five->OwnStatistics().Count(), 1);
  EXPECT_EQ(five->OwnStatistics().Item(1)->RawText(), "43");
  EXPECT_EQ(five->OwnChildren().Count(), 0);
  EXPECT_EQ(interfaces_.Item("I:6")->AdminStatus(), 2);
  EXPECT_FLOAT_EQ(interfaces_.Item("I:7")->Bandwidth(), 1e9f);
}

}  // namespace
}  // namespace linkwatch
