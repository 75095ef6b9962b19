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

}  // namespace
}  // namespace linkwatch
