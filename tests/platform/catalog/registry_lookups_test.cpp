// Lookups of the device catalogue against the registries installed on this
// machine (ieee-data, libwireshark-data) and the catalogue's own tables.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "platform/catalog/RegistryDeviceCatalog.h"

namespace linkwatch {
namespace {

RegistryDeviceCatalog& Catalog() {
  // One catalogue for the whole program, as the platform keeps one per thread;
  // the registries are read once on first use.
  static RegistryDeviceCatalog catalog;
  return catalog;
}

using Lookup = std::string (RegistryDeviceCatalog::*)(const std::string&);
using TextCases = std::vector<std::pair<const char*, const char*>>;

void ExpectAnswers(Lookup lookup, const TextCases& cases) {
  for (const auto& [input, expected] : cases) {
    EXPECT_EQ((Catalog().*lookup)(input), expected) << '"' << input << '"';
  }
}

TEST(CatalogLookups, MacVendorIsTheOwnerOfTheLongestAssignedPrefix) {
  ExpectAnswers(&RegistryDeviceCatalog::MacVendor,
                {// Any separator and letter case.
                 {"00000C123456", "Cisco Systems, Inc"},
                 {"00-00-0c-12-34-56", "Cisco Systems, Inc"},
                 {"0000.0C12.3456", "Cisco Systems, Inc"},
                 {" 00:00:0C:12:34:56 ", "Cisco Systems, Inc"}, {"00000C", "Cisco Systems, Inc"},
                 // MA-M block F8:B5:68:3 inside the MA-L block F8:B5:68.
                 {"F8B5683ABCDE", "Dongwoo Engineering Co.,Ltd"},
                 {"F8B568", "IEEE Registration Authority"},
                 // MA-S block 70:B3:D5:F2:F inside the MA-L block 70:B3:D5.
                 {"70B3D5F2F123", "TELEPLATFORMS"}, {"70B3D5", "IEEE Registration Authority"},
                 // IAB block 00:50:C2:7D:5 inside the MA-L block 00:50:C2.
                 {"0050C27D5001", "DEUTA-WERKE GmbH"},
                 // No answer: broadcast (never assigned), too short, not hexadecimal,
                 // an unknown separator.
                 {"FFFFFF000000", ""}, {"", ""}, {"00000", ""}, {"00000C12345G", ""},
                 {"00_00_0C_12_34_56", ""}});
}

TEST(CatalogLookups, SystemVendorNamesTheEnterpriseOfTheOid) {
  ExpectAnswers(&RegistryDeviceCatalog::SystemVendor,
                {// The best-known vendors go by their familiar names, not the registry's.
                 {".1.3.6.1.4.1.9.1.516", "Cisco"}, {"iso.3.6.1.4.1.9.1.1", "Cisco"},
                 {"1.3.6.1.4.1.8072.3.2.10", "Net-SNMP"},
                 {"1.3.6.1.4.1.2636.1.1.1.2.25", "Juniper Networks"},
                 // No answer: not an enterprise, unassigned, too large, malformed.
                 {"", ""}, {"1.3.6.1.2.1.1.1", ""}, {"1.3.6.1.4.1", ""}, {"1.3.6.1.4.1.", ""},
                 {"1.3.6.1.4.1.4294967295.1", ""}, {"ciscoSystems", ""}, {"1..3.6.1.4.1.9", ""}});
}

TEST(CatalogLookups, MachineTypeTakesTheLongestMatchingPrefix) {
  ExpectAnswers(&RegistryDeviceCatalog::SystemMachineType,
                {{"1.3.6.1.4.1.8072.3.2.10", "Linux"}, {".1.3.6.1.4.1.8072.3.2.10", "Linux"},
                 {"1.3.6.1.4.1.9.1.516", "Cisco Catalyst 3750 Stack"},
                 {"1.3.6.1.4.1.41112.1.6.3", "Ubiquiti UniFi"},  // below a known prefix
                 {"", ""}, {"1.3.6.1.4.1.9", ""},
                 {"1.3.6.1.4.1.8072.3.2.100", ""},  // 100 is not 10 and more digits
                 {"1.3.6.1.4.1.8072.3.2", ""}, {"Linux", ""}});
}

// Each type's icon family is checked with the icons.
TEST(CatalogLookups, InterfaceTypesHaveRegistryNameAndDescription) {
  const std::tuple<int32_t, const char*, const char*> cases[] = {
      {6, "ethernetCsmacd", "Ethernet"},
      {306, "docsCableScte25d2MacOob", "Cable OOB MAC (SCTE 25-2)"},
      // Unknown numbers.
      {307, "307", "Unknown"},
      {-5, "-5", "Unknown"}};
  for (const auto& [type, text, description] : cases) {
    EXPECT_EQ(Catalog().InterfaceTypeText(type), text) << type;
    EXPECT_EQ(Catalog().InterfaceTypeDescription(type), description) << type;
  }
}

TEST(CatalogLookups, StatusesAreNormalizedAndNamed) {
  struct Case {
    int16_t code;
    int32_t kind;  // 0 operational, 1 administrative, others unknown
    int32_t status;
    const char* text;
  };
  const Case cases[] = {
      {1, 0, 1, "Up"},      {2, 0, 2, "Down"},         {7, 0, 7, "Lower Layer Down"},
      {0, 0, 4, "Unknown"}, {8, 0, 4, "Unknown"},      {1, 1, 1, "Up"},
      {2, 1, 8, "Admin Down"},                         {3, 1, 3, "Testing"},
      {0, 1, 4, "Unknown"}, {1, 2, 4, "Unknown"},      {1, -1, 4, "Unknown"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("code " + std::to_string(c.code) + " kind " + std::to_string(c.kind));
    const int32_t status = Catalog().NormalizeStatus(c.code, c.kind);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(Catalog().StatusText(status), c.text);
  }
}

}  // namespace
}  // namespace linkwatch
