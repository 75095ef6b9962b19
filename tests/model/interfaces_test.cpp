#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fakes/ControlFixture.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

class InterfacesTest : public ::testing::Test {
 protected:
  testing_control::ControlTestPlatform platform_{testing_control::kModelStatistics};
  Interfaces interfaces_;

  std::vector<int32_t> IndexesInOrder() const {
    std::vector<int32_t> indexes;
    for (const auto& interface : interfaces_) indexes.push_back(interface->Index());
    return indexes;
  }
};

TEST_F(InterfacesTest, EveryRoutingMethodCreatesItsInterfaceAndSetsTheValue) {
  struct Case {
    const char* what;
    std::function<void(Interfaces&)> route;
    std::function<void(const Interface&)> check;
  };
  const std::vector<Case> cases = {
      {"SetName", [](Interfaces& all) { all.SetName(5, "eth0"); },
       [](const Interface& i) { EXPECT_EQ(i.Name(), "eth0"); }},
      {"SetAdminStatus", [](Interfaces& all) { all.SetAdminStatus(5, 2); },
       [](const Interface& i) { EXPECT_EQ(i.AdminStatus(), 2); }},
      {"SetBandwidth", [](Interfaces& all) { all.SetBandwidth(5, 1e9f); },
       [](const Interface& i) { EXPECT_FLOAT_EQ(i.Bandwidth(), 1e9f); }},
      {"SetStatistic", [](Interfaces& all) { all.SetStatistic(5, "", "Client Signal", "42", "2A"); },
       [](const Interface& i) {
         ASSERT_EQ(i.OwnStatistics().Count(), 1);
         EXPECT_EQ(i.OwnStatistics().Item("CLIENT SIGNAL")->RawText(), "42");
         EXPECT_EQ(i.OwnChildren().Count(), 0);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Interfaces all;
    c.route(all);
    ASSERT_EQ(all.Count(), 1);
    const auto created = all.Item("I:5");
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(created->Index(), 5);
    EXPECT_EQ(created->Key(), "I:5");
    c.check(*created);
    c.route(all);  // a second value for the same index finds the same interface
    EXPECT_EQ(all.Count(), 1);
  }
}

// Positions follow creation, not the index; keys ignore letter case; misses
// answer nothing and removing them changes nothing.
TEST_F(InterfacesTest, ItemRemoveAndClearFollowTheCollectionRules) {
  interfaces_.SetName(7, "seven");
  interfaces_.SetStatistic(3, "", "TRAFFIC IN", "100", "64");
  interfaces_.SetBandwidth(11, 10.0f);
  interfaces_.SetName(3, "three");
  EXPECT_EQ(IndexesInOrder(), (std::vector<int32_t>{7, 3, 11}));
  EXPECT_EQ(interfaces_.Item("i:3"), interfaces_.Item(2));
  EXPECT_EQ(interfaces_.Item(2)->Name(), "three");
  for (const auto& miss : {interfaces_.Item("I:99"), interfaces_.Item(0), interfaces_.Item(4),
                           interfaces_.Item(-1)}) {
    EXPECT_EQ(miss, nullptr);
  }
  interfaces_.Remove("I:99");
  interfaces_.Remove(0);
  interfaces_.Remove(4);
  EXPECT_EQ(IndexesInOrder(), (std::vector<int32_t>{7, 3, 11}));
  interfaces_.Remove("i:3");
  EXPECT_EQ(IndexesInOrder(), (std::vector<int32_t>{7, 11}));
  interfaces_.Remove(2);
  EXPECT_EQ(IndexesInOrder(), (std::vector<int32_t>{7}));
  interfaces_.Clear();
  EXPECT_EQ(interfaces_.Count(), 0);
  EXPECT_TRUE(IndexesInOrder().empty());
}

TEST_F(InterfacesTest, StatisticNamesInOtherLetterCaseUpdateOneStatistic) {
  interfaces_.SetStatistic(1, "", "Client Signal", "1", "");
  interfaces_.SetStatistic(1, "", "CLIENT SIGNAL", "2", "");
  const auto one = interfaces_.Item(1);
  ASSERT_EQ(one->OwnStatistics().Count(), 1);
  EXPECT_EQ(one->OwnStatistics().Item(1)->RawText(), "2");
}

}  // namespace
}  // namespace linkwatch
