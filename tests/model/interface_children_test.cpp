#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ControlFixture.h"
#include "model/InterfaceChild.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

class InterfaceChildrenTest : public ::testing::Test {
 protected:
  testing_control::ControlTestPlatform platform_;
  Interfaces interfaces_;

  std::shared_ptr<InterfaceChild> Child(int32_t ifIndex, const std::string& childIndex) {
    return interfaces_.Add(ifIndex)->Children()->Add(*interfaces_.Add(ifIndex), childIndex);
  }
};

struct NameCase {
  const char* childIndex;
  const char* firstStatistic;  // routed before the name is read; empty: none
  const char* expectedName;
  const char* mac = "";  // recorded in both MAC statistics; empty: none
};

class ChildNameTest : public InterfaceChildrenTest,
                      public ::testing::WithParamInterface<NameCase> {};

TEST_P(ChildNameTest, NameComesFromTheIndexAndTheFirstStatisticsLabel) {
  const NameCase& c = GetParam();
  const auto child = Child(7, c.childIndex);
  if (*c.firstStatistic) child->SetStatistic(*child->Interface(), c.firstStatistic, "1", "01");
  EXPECT_EQ(child->Name(), c.expectedName);
  // Every read records the MAC again, in the same two statistics, and is no update.
  child->Name();
  const auto statistics = child->Statistics();
  EXPECT_EQ(statistics->Count(), (*c.firstStatistic ? 1 : 0) + (*c.mac ? 2 : 0));
  for (const char* name : {"Card Manufacturer", "Client MAC Address"}) {
    const auto mac = statistics->Item(name);
    EXPECT_EQ(mac ? mac->RawText() : "", c.mac) << name;
  }
  EXPECT_EQ(child->LastUpdate() == 0.0, !*c.firstStatistic);
}

INSTANTIATE_TEST_SUITE_P(
    ShortAndLongIndexes, ChildNameTest,
    ::testing::Values(
        NameCase{"12", "Port Speed", "Port 12"},
        NameCase{"1.2.3.4.5.6", "", "1.2.3.4.5.6"},
        // Seven parts: no station text; the label comes from the MAC statistics.
        NameCase{"0.0.17.34.51.68.85", "", "Client  0011.2233.4455", "0011.2233.4455"},
        NameCase{"4.84.101.115.116.0.17.34.51.68.85", "", "Client Test 0011.2233.4455",
                 "0011.2233.4455"},
        // Codes 0 and 126 are left out; 10, 13, 32 and 125 are kept.
        NameCase{"6.0.65.126.10.13.125.170.187.204.221.238.255", "",
                 "Client A\n\r} AABB.CCDD.EEFF", "AABB.CCDD.EEFF"},
        // The length octet (here 65, "A") is never part of the text.
        NameCase{"65.66.0.17.34.51.68.85", "", "Client B 0011.2233.4455", "0011.2233.4455"}));

}  // namespace
}  // namespace linkwatch
