// The component interfaces are pure standard C++: this file includes every one of
// them into a core test program, which links no Qt and no net-snmp.
#include <gtest/gtest.h>

#include "components/Platform.h"

namespace linkwatch {
namespace {

TEST(ComponentInterfaces, BindingWithoutDatabaseAnswersItsOid) {
  SnmpBinding binding;
  binding.OID = "1.3.6.1.2.1.2.2.1.10.3";
  EXPECT_EQ(binding.Name(), "1.3.6.1.2.1.2.2.1.10.3");
  binding.SetNamer([](const std::string& oid) { return "name-of-" + oid; });
  EXPECT_EQ(binding.Name(), "name-of-1.3.6.1.2.1.2.2.1.10.3");
}

TEST(ComponentInterfaces, BindingListKeepsRequestOrder) {
  SnmpBindingList list;
  list.Add("1.3.6.1.2.1.1.2.0", "", kSnmpNull);
  list.Add("1.3.6.1.2.1.2.1.0", "", kSnmpNull);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Item(1).OID, "1.3.6.1.2.1.2.1.0");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace linkwatch
