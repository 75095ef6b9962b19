// Lookups of the device catalogue against the registries installed on this
// machine (ieee-data, libwireshark-data) and the catalogue's own tables.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/catalog/RegistryDeviceCatalog.h"

namespace linkwatch {
namespace {

RegistryDeviceCatalog& Catalog() {
  // One catalogue for the whole program, as the platform keeps one per thread;
  // the registries are read once on first use.
  static RegistryDeviceCatalog catalog;
  return catalog;
}

struct TextCase {
  std::string input;
  std::string expected;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << '"' << c.input << '"'; }

// --- MAC vendors (IEEE) ---

class MacVendorTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(MacVendorTest, FindsTheOwnerOfTheLongestAssignedPrefix) {
  EXPECT_EQ(Catalog().MacVendor(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    SeparatorsAndLetterCase, MacVendorTest,
    ::testing::Values(TextCase{"00000C123456", "Cisco Systems, Inc"},
                      TextCase{"00000c123456", "Cisco Systems, Inc"},
                      TextCase{"00:00:0C:12:34:56", "Cisco Systems, Inc"},
                      TextCase{"00-00-0c-12-34-56", "Cisco Systems, Inc"},
                      TextCase{"0000.0C12.3456", "Cisco Systems, Inc"},
                      TextCase{"00 00 0C 12 34 56", "Cisco Systems, Inc"},
                      TextCase{" 00:00:0C:12:34:56 ", "Cisco Systems, Inc"},
                      TextCase{"00000C", "Cisco Systems, Inc"}));

INSTANTIATE_TEST_SUITE_P(
    LongerBlocksBeatTheirLargeBlock, MacVendorTest,
    ::testing::Values(
        // MA-M block F8:B5:68:3 inside the MA-L block F8:B5:68.
        TextCase{"F8B5683ABCDE", "Dongwoo Engineering Co.,Ltd"},
        TextCase{"f8:b5:68:3a:bc:de", "Dongwoo Engineering Co.,Ltd"},
        TextCase{"F8B568", "IEEE Registration Authority"},
        // MA-S block 70:B3:D5:F2:F inside the MA-L block 70:B3:D5.
        TextCase{"70B3D5F2F123", "TELEPLATFORMS"},
        TextCase{"70B3D5", "IEEE Registration Authority"},
        // IAB block 00:50:C2:7D:5 inside the MA-L block 00:50:C2.
        TextCase{"0050C27D5001", "DEUTA-WERKE GmbH"}));

INSTANTIATE_TEST_SUITE_P(
    NoAnswer, MacVendorTest,
    ::testing::Values(TextCase{"FFFFFF000000", ""},  // broadcast, never assigned
                      TextCase{"", ""}, TextCase{"00000", ""},      // too short
                      TextCase{"00000C12345G", ""},                 // not hexadecimal
                      TextCase{"00_00_0C_12_34_56", ""},            // unknown separator
                      TextCase{"zz", ""}));

// --- System vendors (IANA enterprise numbers) ---

class SystemVendorTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(SystemVendorTest, NamesTheEnterpriseOfTheOid) {
  EXPECT_EQ(Catalog().SystemVendor(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Enterprises, SystemVendorTest,
    // The best-known vendors go by their familiar names, not the registry's.
    ::testing::Values(TextCase{"1.3.6.1.4.1.9.1.516", "Cisco"},
                      TextCase{".1.3.6.1.4.1.9.1.516", "Cisco"},
                      TextCase{"1.3.6.1.4.1.9", "Cisco"},
                      TextCase{"iso.3.6.1.4.1.9.1.1", "Cisco"},
                      TextCase{"1.3.6.1.4.1.8072.3.2.10", "Net-SNMP"},
                      TextCase{"1.3.6.1.4.1.2636.1.1.1.2.25", "Juniper Networks"},
                      TextCase{"1.3.6.1.4.1.2.3.51", "IBM"},  // registry: "IBM (https://...)"
                      // Web addresses in a registry name are dropped.
                      TextCase{"1.3.6.1.4.1.36106", "Wraptastic, LLC"},
                      TextCase{"1.3.6.1.4.1.23134", "Skillsunited.co.uk"},
                      // The registry's remark after the name is not part of it.
                      TextCase{"1.3.6.1.4.1.78.1", "LogMatrix Inc"}));

INSTANTIATE_TEST_SUITE_P(
    NoAnswer, SystemVendorTest,
    ::testing::Values(TextCase{"", ""}, TextCase{"1.3.6.1.2.1.1.1", ""},  // not an enterprise
                      TextCase{"1.3.6.1.4.1", ""}, TextCase{"1.3.6.1.4.1.", ""},
                      TextCase{"1.3.6.1.4.1.4294967295.1", ""},  // unassigned
                      TextCase{"1.3.6.1.4.1.99999999999.1", ""},  // too large
                      TextCase{"1.3.6.1.4.1.x.1", ""}, TextCase{"ciscoSystems", ""},
                      TextCase{"1..3.6.1.4.1.9", ""}));

// --- Machine types (our table) ---

class MachineTypeTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(MachineTypeTest, TakesTheLongestMatchingPrefix) {
  EXPECT_EQ(Catalog().SystemMachineType(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    KnownMachines, MachineTypeTest,
    ::testing::Values(TextCase{"1.3.6.1.4.1.8072.3.2.10", "Linux"},
                      TextCase{".1.3.6.1.4.1.8072.3.2.10", "Linux"},
                      TextCase{"1.3.6.1.4.1.8072.3.2.8", "FreeBSD"},
                      TextCase{"1.3.6.1.4.1.8072.3.2.16", "macOS"},
                      TextCase{"1.3.6.1.4.1.2021.250.10", "Linux"},
                      TextCase{"1.3.6.1.4.1.9.1.516", "Cisco Catalyst 3750 Stack"},
                      TextCase{"1.3.6.1.4.1.2636.1.1.1.2.25", "Juniper MX480"},
                      TextCase{"1.3.6.1.4.1.11.2.3.7.11.19", "HP ProCurve Switch 2524"},
                      TextCase{"1.3.6.1.4.1.14988.1", "MikroTik RouterOS"},
                      // Below a known prefix.
                      TextCase{"1.3.6.1.4.1.41112.1.6.3", "Ubiquiti UniFi"}));

INSTANTIATE_TEST_SUITE_P(
    NoAnswer, MachineTypeTest,
    ::testing::Values(TextCase{"", ""}, TextCase{"1.3.6.1.4.1.9", ""},
                      // 100 is not 10 followed by more digits.
                      TextCase{"1.3.6.1.4.1.8072.3.2.100", ""},
                      TextCase{"1.3.6.1.4.1.8072.3.2", ""}, TextCase{"Linux", ""}));

// --- Interface types (IANA ifType) ---

struct InterfaceTypeCase {
  int32_t type;
  std::string text;
  std::string description;
  std::string iconName;
};

void PrintTo(const InterfaceTypeCase& c, std::ostream* os) { *os << c.type; }

class InterfaceTypeTest : public ::testing::TestWithParam<InterfaceTypeCase> {};

TEST_P(InterfaceTypeTest, GivesRegistryNameDescriptionAndFamilyIcon) {
  const auto& c = GetParam();
  EXPECT_EQ(Catalog().InterfaceTypeText(c.type), c.text);
  EXPECT_EQ(Catalog().InterfaceTypeDescription(c.type), c.description);
  const PictureRef icon = Catalog().InterfaceTypeIcon(c.type);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->Name(), c.iconName);
}

INSTANTIATE_TEST_SUITE_P(
    CommonTypes, InterfaceTypeTest,
    ::testing::Values(InterfaceTypeCase{6, "ethernetCsmacd", "Ethernet", "iftype-ethernet"},
                      InterfaceTypeCase{24, "softwareLoopback", "Loopback", "iftype-loopback"},
                      InterfaceTypeCase{71, "ieee80211", "Wireless LAN", "iftype-wireless"},
                      InterfaceTypeCase{131, "tunnel", "Tunnel", "iftype-tunnel"},
                      InterfaceTypeCase{161, "ieee8023adLag", "Link Aggregation", "iftype-ethernet"},
                      InterfaceTypeCase{23, "ppp", "PPP", "iftype-wan"},
                      InterfaceTypeCase{32, "frameRelay", "Frame Relay", "iftype-wan"},
                      InterfaceTypeCase{135, "l2vlan", "VLAN", "iftype-virtual"},
                      InterfaceTypeCase{53, "propVirtual", "Virtual", "iftype-virtual"},
                      InterfaceTypeCase{1, "other", "Other", "iftype-other"},
                      InterfaceTypeCase{145, "if-gsn", "HIPPI-6400", "iftype-other"},
                      InterfaceTypeCase{303, "p2pOverLan", "Point-to-Point over LAN",
                                        "iftype-virtual"}));

INSTANTIATE_TEST_SUITE_P(
    UnknownNumbers, InterfaceTypeTest,
    ::testing::Values(InterfaceTypeCase{0, "0", "Unknown", "iftype-other"},
                      InterfaceTypeCase{274, "274", "Unknown", "iftype-other"},
                      InterfaceTypeCase{100000, "100000", "Unknown", "iftype-other"},
                      InterfaceTypeCase{-5, "-5", "Unknown", "iftype-other"}));

TEST(InterfaceTypeTable, CoversTheWholeRegistryWithDistinctNames) {
  std::set<std::string> names;
  for (int32_t type = 1; type <= 303; ++type) {
    if (type >= 273 && type <= 276) continue;  // not assigned by IANA
    const std::string name = Catalog().InterfaceTypeText(type);
    EXPECT_NE(name, std::to_string(type)) << "type " << type << " has no name";
    EXPECT_NE(Catalog().InterfaceTypeDescription(type), "Unknown") << "type " << type;
    EXPECT_TRUE(names.insert(name).second) << "duplicate name " << name;
  }
  EXPECT_TRUE(Catalog().LastMessage().empty()) << Catalog().LastMessage();
}

// --- Interface status ---

struct StatusCase {
  int16_t code;
  int32_t kind;
  int32_t status;
  std::string text;
};

void PrintTo(const StatusCase& c, std::ostream* os) {
  *os << "code " << c.code << " kind " << c.kind;
}

class StatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(StatusTest, NormalizesAndNamesTheStatus) {
  const auto& c = GetParam();
  const int32_t status = Catalog().NormalizeStatus(c.code, c.kind);
  EXPECT_EQ(status, c.status);
  EXPECT_EQ(Catalog().StatusText(status), c.text);
  // Only an interface that is up gets status 1.
  EXPECT_EQ(status == 1, c.code == 1 && (c.kind == 0 || c.kind == 1));
}

INSTANTIATE_TEST_SUITE_P(
    Operational, StatusTest,
    ::testing::Values(StatusCase{1, 0, 1, "Up"}, StatusCase{2, 0, 2, "Down"},
                      StatusCase{3, 0, 3, "Testing"}, StatusCase{4, 0, 4, "Unknown"},
                      StatusCase{5, 0, 5, "Dormant"}, StatusCase{6, 0, 6, "Not Present"},
                      StatusCase{7, 0, 7, "Lower Layer Down"}, StatusCase{0, 0, 4, "Unknown"},
                      StatusCase{8, 0, 4, "Unknown"}, StatusCase{-1, 0, 4, "Unknown"}));

INSTANTIATE_TEST_SUITE_P(
    Administrative, StatusTest,
    ::testing::Values(StatusCase{1, 1, 1, "Up"}, StatusCase{2, 1, 8, "Admin Down"},
                      StatusCase{3, 1, 3, "Testing"}, StatusCase{4, 1, 4, "Unknown"},
                      StatusCase{0, 1, 4, "Unknown"}));

INSTANTIATE_TEST_SUITE_P(
    OtherKinds, StatusTest,
    ::testing::Values(StatusCase{1, 2, 4, "Unknown"}, StatusCase{1, -1, 4, "Unknown"}));

TEST(StatusText, NamesRawOperationalCodesAndUnknownNumbers) {
  // Raw ifOperStatus codes are catalogue statuses, so they can be named directly.
  EXPECT_EQ(Catalog().StatusText(7), "Lower Layer Down");
  EXPECT_EQ(Catalog().StatusText(0), "Unknown");
  EXPECT_EQ(Catalog().StatusText(9), "Unknown");
  EXPECT_EQ(Catalog().StatusText(-3), "Unknown");
}

}  // namespace
}  // namespace linkwatch
