// The statistics file the library ships: every statistic must resolve through the
// built-in catalogue and make sense as a column of the interface grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <vector>

#include "MibTestFolder.h"
#include "platform/mib/BuiltinMibTree.h"

namespace linkwatch {
namespace {

std::string Upper(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// One Statistic element, attribute names upper-cased as the library reads them.
struct StatisticDefinition {
  std::map<std::string, std::string> attributes;

  std::string Get(const std::string& name) const {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : found->second;
  }
  std::string Name() const { return Trimmed(Get("NAME")); }
  std::string Mib() const { return Upper(Trimmed(Get("MIB"))); }
  std::string Parser() const { return Upper(Trimmed(Get("PARSER"))); }
  bool Flag(const std::string& name) const {
    static const std::set<std::string> kTrue = {"YES", "TRUE", "1", "Y", "USER"};
    return kTrue.count(Upper(Get(name))) != 0;
  }
};

class ShippedStatisticsFile : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    Statistics().clear();
    const auto path = std::filesystem::path(LINKWATCH_SOURCE_DIR) / "data" / "OSTLNK9.cfg";
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(path.c_str());
    ASSERT_TRUE(parsed) << path << ": " << parsed.description();
    for (const pugi::xpath_node& node : document.select_nodes("/Portsight/Statistics/Statistic")) {
      StatisticDefinition definition;
      for (const pugi::xml_attribute& attribute : node.node().attributes()) {
        definition.attributes[Upper(attribute.name())] = attribute.value();
      }
      Statistics().push_back(std::move(definition));
    }
  }
  static std::vector<StatisticDefinition>& Statistics() {
    static std::vector<StatisticDefinition> statistics;
    return statistics;
  }
  static const StatisticDefinition* Find(const std::string& name) {
    for (const auto& statistic : Statistics()) {
      if (statistic.Name() == name) return &statistic;
    }
    return nullptr;
  }
  // The catalogue alone: the shipped file must not depend on the user's MIB files.
  static BuiltinMibTree& Catalogue() {
    static BuiltinMibTree tree(BuiltinMibTree::Options{test::ShippedCatalogue(), {}, false});
    return tree;
  }
  static std::unique_ptr<MibObject> ObjectOf(const StatisticDefinition& statistic) {
    auto object = Catalogue().NewObject();
    object->SetName(statistic.Mib());
    return object;
  }
};

TEST_F(ShippedStatisticsFile, EveryMibNameResolvesThroughTheCatalogue) {
  ASSERT_GT(Statistics().size(), 100u);
  for (const auto& statistic : Statistics()) {
    ASSERT_FALSE(statistic.Mib().empty()) << statistic.Name();
    if (statistic.Mib() == "ENABLECHECKBOX") continue;
    EXPECT_FALSE(ObjectOf(statistic)->NumericOid().empty())
        << statistic.Name() << ": " << statistic.Mib() << " is unknown";
  }
}

// The poll walks a statistic's OID as a table column and reads the ifIndex from
// the first arc after it, so scalars and whole tables do not fit.
TEST_F(ShippedStatisticsFile, EveryMibObjectIsATableColumn) {
  for (const auto& statistic : Statistics()) {
    if (statistic.Mib() == "ENABLECHECKBOX") continue;
    const std::string oid = ObjectOf(statistic)->NumericOid();
    if (oid.empty()) continue;  // reported by the test above
    const std::string row = Catalogue().SymbolicName(oid.substr(0, oid.rfind('.')));
    EXPECT_TRUE(row.size() > 5 && row.compare(row.size() - 5, 5, "Entry") == 0)
        << statistic.Name() << ": " << statistic.Mib() << " lies under " << row;
    // Agents never return a not-accessible column (a row index) in a walk.
    EXPECT_NE(ObjectOf(statistic)->AccessCode(), 0)
        << statistic.Name() << ": " << statistic.Mib() << " cannot be walked";
  }
}

// A 32-bit counter wraps every 3.4 s at 10 Gbit/s: every statistic that reads one
// has a twin named "<name> 64" right after it that reads the 64-bit counter the
// same way.
TEST_F(ShippedStatisticsFile, WrappingCountersHaveA64BitTwinBesideThem) {
  const std::map<std::string, std::string> wide = {
      {"IFINOCTETS", "IFHCINOCTETS"},
      {"IFOUTOCTETS", "IFHCOUTOCTETS"},
      {"IFINUCASTPKTS", "IFHCINUCASTPKTS"},
      {"IFOUTUCASTPKTS", "IFHCOUTUCASTPKTS"},
      {"IFINMULTICASTPKTS", "IFHCINMULTICASTPKTS"},
      {"IFOUTMULTICASTPKTS", "IFHCOUTMULTICASTPKTS"},
      {"IFINBROADCASTPKTS", "IFHCINBROADCASTPKTS"},
      {"IFOUTBROADCASTPKTS", "IFHCOUTBROADCASTPKTS"}};
  int twins = 0;
  const auto& all = Statistics();
  for (size_t i = 0; i < all.size(); ++i) {
    const auto found = wide.find(all[i].Mib());
    if (found == wide.end()) continue;
    ASSERT_LT(i + 1, all.size()) << all[i].Name();
    const StatisticDefinition& twin = all[i + 1];
    EXPECT_EQ(twin.Name(), all[i].Name() + " 64");
    EXPECT_EQ(twin.Mib(), found->second) << twin.Name();
    EXPECT_EQ(twin.Parser(), all[i].Parser()) << twin.Name();
    EXPECT_EQ(twin.Get("UNITS"), all[i].Get("UNITS")) << twin.Name();
    EXPECT_EQ(twin.Get("GROUP"), all[i].Get("GROUP")) << twin.Name();
    EXPECT_EQ(twin.Flag("COUNTER"), all[i].Flag("COUNTER")) << twin.Name();
    ++twins;
  }
  EXPECT_GE(twins, 14);
}

// UTILIZATION divides octets by bits; wherever the list shows a statistic (its
// units) and wherever it is described, the figure is said to be an eighth.
TEST_F(ShippedStatisticsFile, UtilizationSaysItIsAnEighthOfTheLinkUse) {
  int utilizations = 0;
  for (const auto& statistic : Statistics()) {
    if (statistic.Parser() != "UTILIZATION") continue;
    ++utilizations;
    EXPECT_NE(statistic.Get("UNITS").find("1/8"), std::string::npos) << statistic.Name();
    EXPECT_NE(statistic.Get("DESCRIPTION").find("12.50 %"), std::string::npos) << statistic.Name();
  }
  EXPECT_EQ(utilizations, 4);
}

TEST_F(ShippedStatisticsFile, NamesAreUniqueIgnoringCaseAndEveryStatisticIsComplete) {
  std::set<std::string> names;
  for (const auto& statistic : Statistics()) {
    EXPECT_FALSE(statistic.Name().empty());
    EXPECT_TRUE(names.insert(Upper(statistic.Name())).second) << statistic.Name() << " twice";
    EXPECT_EQ(statistic.Name().find(':'), std::string::npos) << statistic.Name();
    EXPECT_FALSE(Trimmed(statistic.Get("GROUP")).empty()) << statistic.Name();
    EXPECT_FALSE(Trimmed(statistic.Get("HEADER")).empty()) << statistic.Name();
    EXPECT_FALSE(Trimmed(statistic.Get("DESCRIPTION")).empty()) << statistic.Name();
  }
}

TEST_F(ShippedStatisticsFile, FlagsAreWrittenSoTheLibraryReadsThemAsSet) {
  for (const auto& statistic : Statistics()) {
    for (const char* flag : {"CHECKBOX", "COUNTER", "GRAPHABLE"}) {
      if (statistic.attributes.count(flag) != 0) {
        EXPECT_TRUE(statistic.Flag(flag)) << statistic.Name() << " " << flag << "='"
                                          << statistic.Get(flag) << "'";
      }
    }
  }
}

// A check box cell writes 1 or 2 back to the device, so it must sit on a
// writable object (or on the unbound EnableCheckbox column).
TEST_F(ShippedStatisticsFile, CheckBoxesSitOnWritableObjects) {
  for (const auto& statistic : Statistics()) {
    if (!statistic.Flag("CHECKBOX") || statistic.Mib() == "ENABLECHECKBOX") continue;
    EXPECT_EQ(ObjectOf(statistic)->AccessCode(), kMibWritable) << statistic.Name();
  }
}

TEST_F(ShippedStatisticsFile, RatesAreCountersAndGraphable) {
  const std::set<std::string> rateParsers = {"TRAFFIC", "UTILIZATION", "BYTES"};
  for (const auto& statistic : Statistics()) {
    if (rateParsers.count(statistic.Parser()) == 0) continue;
    EXPECT_TRUE(statistic.Flag("COUNTER")) << statistic.Name();
    EXPECT_TRUE(statistic.Flag("GRAPHABLE")) << statistic.Name();
  }
}

TEST_F(ShippedStatisticsFile, EnumParsersReadObjectsThatHaveLabels) {
  for (const auto& statistic : Statistics()) {
    if (statistic.Parser() != "ENUM" && statistic.Parser() != "ENUMSTRING") continue;
    const auto object = ObjectOf(statistic);
    bool anyLabel = false;
    for (int32_t value = -1; value <= 300 && !anyLabel; ++value) {
      anyLabel = object->EnumLabel(value, "") != "";
    }
    EXPECT_TRUE(anyLabel) << statistic.Name() << ": " << statistic.Mib() << " has no labels";
  }
}

TEST_F(ShippedStatisticsFile, IconUnitsNameWhatTheNumberIs) {
  const std::set<std::string> kinds = {"OPERSTATUS", "ADMINSTATUS", "INTERFACETYPE"};
  for (const auto& statistic : Statistics()) {
    if (statistic.Parser() != "ICON") continue;
    EXPECT_EQ(kinds.count(Upper(Trimmed(statistic.Get("UNITS")))), 1u) << statistic.Name();
  }
}

TEST_F(ShippedStatisticsFile, EveryParserIsUsed) {
  std::set<std::string> used;
  for (const auto& statistic : Statistics()) used.insert(statistic.Parser());
  for (const char* parser :
       {"TRAFFIC", "BPS", "BYTES", "UTILIZATION", "/10", "NUMBER", "BOOLEAN", "TRUTHVALUE",
        "MILLISECONDS", "TIMESTAMP", "NEGATIVETIMESTAMP", "NEGATIVETIMESECONDS", "TIMESPAN", "ENUM",
        "ENUMSTRING", "OID", "MACADDRESS", "MACVENDOR", "OPERSTATUS", "ADMINSTATUS", "INTERFACETYPE",
        "INTERFACETYPEDESCRIPTION", "ICON", "CISCONETWORKADDRESS", "APPLETALKADDRESS", "REVERSEDNS",
        "DOT11COUNTRYSTRING", "DOT11INDOOROUTDOOR", "DOT11RADIOTYPE", "DOT11CCAMODE",
        "WIRELESSCLIENTDATARATES", "DS1LINESTATUS", ""}) {
    EXPECT_EQ(used.count(parser), 1u) << "no statistic uses parser '" << parser << "'";
  }
}

struct Required {
  const char* name;
  const char* mib;     // upper-cased; "" when any object will do
  const char* parser;  // upper-cased; "*" when any parser will do
  const char* units;   // "*" when any units will do
};

TEST_F(ShippedStatisticsFile, RequiredStatisticsAreDefinedAsExpected) {
  const Required required[] = {
      {"Interface Name", "IFDESCR", "*", "*"},
      {"Interface Alias", "IFALIAS", "*", "*"},
      {"Interface Status", "IFOPERSTATUS", "OPERSTATUS", "*"},
      {"Interface Status Icon", "IFOPERSTATUS", "ICON", "OPERSTATUS"},
      {"Admin Status", "IFADMINSTATUS", "ADMINSTATUS", "*"},
      {"Interface Type", "IFTYPE", "INTERFACETYPE", "*"},
      {"Interface Type Icon", "IFTYPE", "ICON", "INTERFACETYPE"},
      {"Speed", "IFSPEED", "BPS", "bps"},
      {"MTU", "IFMTU", "*", "*"},
      {"MAC Address", "IFPHYSADDRESS", "MACADDRESS", "*"},
      {"MAC Vendor", "IFPHYSADDRESS", "MACVENDOR", "*"},
      {"Last Change", "IFLASTCHANGE", "TIMESTAMP", "*"},
      {"In Traffic", "IFINOCTETS", "TRAFFIC", "bps"},
      {"Out Traffic", "IFOUTOCTETS", "TRAFFIC", "bps"},
      {"In Traffic 64", "IFHCINOCTETS", "TRAFFIC", "bps"},
      {"Out Traffic 64", "IFHCOUTOCTETS", "TRAFFIC", "bps"},
      {"In Utilization", "", "UTILIZATION", "*"},
      {"Out Utilization", "", "UTILIZATION", "*"},
      {"In Errors", "IFINERRORS", "*", "*"},
      {"Out Errors", "IFOUTERRORS", "*", "*"},
      {"In Discards", "IFINDISCARDS", "*", "*"},
      {"Out Discards", "IFOUTDISCARDS", "*", "*"},
      {"In Packets", "", "*", "*"},
      {"Out Packets", "", "*", "*"},
      {"Received Bytes", "", "BYTES", "*"},
      {"Client MAC Address", "", "MACADDRESS", "*"},
      {"Card Manufacturer", "", "MACVENDOR", "*"},
      {"Client IP Address", "", "CISCONETWORKADDRESS", "*"},
      {"Client Host Name", "", "REVERSEDNS", "*"},
      {"Client Data Rates", "", "WIRELESSCLIENTDATARATES", "Mbps"},
      // Empty while present ("0"), the moment of the stamp once missing.
      {"Disassociate Time", "", "NEGATIVETIMESTAMP", "*"},
      {"Radio Type", "DOT11PHYTYPE", "ENUM", "*"},
      {"5 GHz Channel", "DOT11CURRENTFREQUENCY", "*", "*"},
      {"High Speed", "IFHIGHSPEED", "*", "Mbps"},
  };
  for (const Required& r : required) {
    const StatisticDefinition* statistic = Find(r.name);
    if (statistic == nullptr) {
      ADD_FAILURE() << "missing statistic " << r.name;
      continue;
    }
    if (*r.mib) {
      EXPECT_EQ(statistic->Mib(), r.mib) << r.name;
    }
    if (std::string(r.parser) != "*") {
      EXPECT_EQ(statistic->Parser(), r.parser) << r.name;
    }
    if (std::string(r.units) != "*") {
      EXPECT_EQ(Trimmed(statistic->Get("UNITS")), r.units) << r.name;
    }
  }
  for (const char* counter : {"In Traffic", "Out Traffic", "In Traffic 64", "Out Traffic 64",
                              "In Utilization", "Out Utilization", "Received Bytes"}) {
    EXPECT_TRUE(Find(counter) && Find(counter)->Flag("COUNTER")) << counter;
  }
  EXPECT_TRUE(Find("Admin Status")->Flag("CHECKBOX"));
}

// Child rows take their label from the first statistic's CHILD text, and a
// wireless client row records "Client MAC Address" and "Card Manufacturer" itself.
TEST_F(ShippedStatisticsFile, WirelessClientColumnsAreClientChildren) {
  int clientColumns = 0;
  for (const auto& statistic : Statistics()) {
    if (statistic.Mib().rfind("CDOT11CLIENT", 0) != 0) continue;
    ++clientColumns;
    EXPECT_EQ(statistic.Get("CHILD"), "Client") << statistic.Name();
  }
  EXPECT_GT(clientColumns, 10);
  EXPECT_EQ(Find("Client MAC Address")->Get("CHILD"), "Client");
  EXPECT_EQ(Find("Card Manufacturer")->Get("CHILD"), "Client");
}

TEST_F(ShippedStatisticsFile, UsesEnableCheckboxForAnUnboundColumn) {
  bool found = false;
  for (const auto& statistic : Statistics()) {
    if (statistic.Mib() != "ENABLECHECKBOX") continue;
    found = true;
    EXPECT_TRUE(statistic.Flag("CHECKBOX")) << statistic.Name();
  }
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace linkwatch
