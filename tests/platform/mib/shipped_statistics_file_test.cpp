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
  std::string Units() const { return Trimmed(Get("UNITS")); }
  bool Flag(const std::string& name) const {
    static const std::set<std::string> kTrue = {"YES", "TRUE", "1", "Y", "USER"};
    return kTrue.count(Upper(Get(name))) != 0;
  }
};

class ShippedStatisticsFile : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    const auto path = std::filesystem::path(LINKWATCH_SOURCE_DIR) / "data" / "OSTLNK9.cfg";
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(path.c_str());
    ASSERT_TRUE(parsed) << path << ": " << parsed.description();
    statistics.clear();
    for (const pugi::xpath_node& node : document.select_nodes("/Portsight/Statistics/Statistic")) {
      StatisticDefinition definition;
      for (const pugi::xml_attribute& attribute : node.node().attributes()) {
        definition.attributes[Upper(attribute.name())] = attribute.value();
      }
      statistics.push_back(std::move(definition));
    }
  }
  static const StatisticDefinition& Find(const std::string& name) {
    static const StatisticDefinition kMissing;
    for (const auto& statistic : statistics) {
      if (statistic.Name() == name) return statistic;
    }
    ADD_FAILURE() << "missing statistic " << name;
    return kMissing;
  }
  // The catalogue alone: the shipped file must not depend on the user's MIB files.
  static std::unique_ptr<MibObject> ObjectOf(const StatisticDefinition& statistic) {
    static BuiltinMibTree tree(BuiltinMibTree::Options{test::ShippedCatalogue(), {}, false});
    return test::Named(tree, statistic.Mib());
  }
  static std::string SymbolicName(const std::string& oid) {
    static BuiltinMibTree tree(BuiltinMibTree::Options{test::ShippedCatalogue(), {}, false});
    return tree.SymbolicName(oid);
  }
  static inline std::vector<StatisticDefinition> statistics;
};

TEST_F(ShippedStatisticsFile, EveryStatisticIsCompleteAndFitsAsAGridColumn) {
  ASSERT_GT(statistics.size(), 100u);
  std::set<std::string> names;
  int unboundCheckBoxes = 0;
  for (const auto& statistic : statistics) {
    SCOPED_TRACE(statistic.Name() + ": " + statistic.Mib());
    EXPECT_FALSE(statistic.Name().empty());
    EXPECT_TRUE(names.insert(Upper(statistic.Name())).second) << "twice, ignoring case";
    EXPECT_EQ(statistic.Name().find(':'), std::string::npos);
    for (const char* text : {"GROUP", "HEADER", "DESCRIPTION"}) {
      EXPECT_FALSE(Trimmed(statistic.Get(text)).empty()) << text;
    }
    // Flags are written so that the library reads them as set.
    for (const char* flag : {"CHECKBOX", "COUNTER", "GRAPHABLE"}) {
      if (statistic.attributes.count(flag)) { EXPECT_TRUE(statistic.Flag(flag)) << flag; }
    }
    const std::string parser = statistic.Parser();
    if (parser == "TRAFFIC" || parser == "UTILIZATION" || parser == "BYTES") {
      EXPECT_TRUE(statistic.Flag("COUNTER") && statistic.Flag("GRAPHABLE")) << "a rate";
    }
    if (parser == "ICON") {
      EXPECT_EQ((std::set<std::string>{"OPERSTATUS", "ADMINSTATUS", "INTERFACETYPE"})
                    .count(Upper(statistic.Units())),
                1u)
          << "icon units name what the number is";
    }
    ASSERT_FALSE(statistic.Mib().empty());
    if (statistic.Mib() == "ENABLECHECKBOX") {  // the unbound check box column
      EXPECT_TRUE(statistic.Flag("CHECKBOX"));
      ++unboundCheckBoxes;
      continue;
    }
    const auto object = ObjectOf(statistic);
    const std::string oid = object->NumericOid();
    EXPECT_FALSE(oid.empty()) << "unknown to the catalogue";
    if (oid.empty()) continue;
    // The poll walks a statistic's OID as a table column and reads the ifIndex
    // from the arc after it, so scalars and whole tables do not fit; and agents
    // never return a not-accessible column (a row index) in a walk.
    const std::string row = SymbolicName(oid.substr(0, oid.rfind('.')));
    EXPECT_TRUE(row.size() > 5 && row.compare(row.size() - 5, 5, "Entry") == 0) << "under " << row;
    EXPECT_NE(object->AccessCode(), 0) << "cannot be walked";
    // A check box cell writes 1 or 2 back to the device.
    if (statistic.Flag("CHECKBOX")) { EXPECT_EQ(object->AccessCode(), kMibWritable); }
    if (parser == "ENUM" || parser == "ENUMSTRING") {
      bool anyLabel = false;
      for (int32_t value = -1; value <= 300 && !anyLabel; ++value) {
        anyLabel = object->EnumLabel(value, "") != "";
      }
      EXPECT_TRUE(anyLabel) << "an enumeration without labels";
    }
    // Child rows take their label from the CHILD text: wireless clients.
    if (statistic.Mib().rfind("CDOT11CLIENT", 0) == 0) { EXPECT_EQ(statistic.Get("CHILD"), "Client"); }
  }
  EXPECT_GT(unboundCheckBoxes, 0);
  EXPECT_EQ(Find("Client MAC Address").Get("CHILD"), "Client");
  EXPECT_EQ(Find("Card Manufacturer").Get("CHILD"), "Client");
}

// A 32-bit counter wraps every 3.4 s at 10 Gbit/s: every statistic that reads one
// has a twin named "<name> 64" right after it that reads the 64-bit counter the
// same way.
TEST_F(ShippedStatisticsFile, WrappingCountersHaveA64BitTwinBesideThem) {
  const std::map<std::string, std::string> wide = {
      {"IFINOCTETS", "IFHCINOCTETS"},           {"IFOUTOCTETS", "IFHCOUTOCTETS"},
      {"IFINUCASTPKTS", "IFHCINUCASTPKTS"},     {"IFOUTUCASTPKTS", "IFHCOUTUCASTPKTS"},
      {"IFINMULTICASTPKTS", "IFHCINMULTICASTPKTS"},
      {"IFOUTMULTICASTPKTS", "IFHCOUTMULTICASTPKTS"},
      {"IFINBROADCASTPKTS", "IFHCINBROADCASTPKTS"},
      {"IFOUTBROADCASTPKTS", "IFHCOUTBROADCASTPKTS"}};
  int twins = 0;
  for (size_t i = 0; i < statistics.size(); ++i) {
    const auto found = wide.find(statistics[i].Mib());
    if (found == wide.end()) continue;
    ASSERT_LT(i + 1, statistics.size()) << statistics[i].Name();
    const StatisticDefinition& twin = statistics[i + 1];
    SCOPED_TRACE(twin.Name());
    EXPECT_EQ(twin.Name(), statistics[i].Name() + " 64");
    EXPECT_EQ(twin.Mib(), found->second);
    for (const char* same : {"PARSER", "UNITS", "GROUP"}) {
      EXPECT_EQ(twin.Get(same), statistics[i].Get(same)) << same;
    }
    EXPECT_EQ(twin.Flag("COUNTER"), statistics[i].Flag("COUNTER"));
    ++twins;
  }
  EXPECT_GE(twins, 14);
}

TEST_F(ShippedStatisticsFile, EveryParserIsUsedAndUtilizationSaysItIsAnEighth) {
  std::set<std::string> used;
  int utilizations = 0;
  for (const auto& statistic : statistics) {
    used.insert(statistic.Parser());
    if (statistic.Parser() != "UTILIZATION") continue;
    // UTILIZATION divides octets by bits; its units and description say so.
    ++utilizations;
    EXPECT_NE(statistic.Units().find("1/8"), std::string::npos) << statistic.Name();
    EXPECT_NE(statistic.Get("DESCRIPTION").find("12.50 %"), std::string::npos) << statistic.Name();
  }
  EXPECT_EQ(utilizations, 4);
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

TEST_F(ShippedStatisticsFile, RequiredStatisticsAreDefinedAsExpected) {
  struct Required {
    const char* name;
    const char* mib;     // upper-cased; "" when any object will do
    const char* parser;  // upper-cased; "*" when any parser will do
    const char* units;   // "*" when any units will do
    bool counter;
  };
  const Required required[] = {
      {"Interface Name", "IFDESCR", "*", "*", false},
      {"Interface Alias", "IFALIAS", "*", "*", false},
      {"Interface Status", "IFOPERSTATUS", "OPERSTATUS", "*", false},
      {"Interface Status Icon", "IFOPERSTATUS", "ICON", "OPERSTATUS", false},
      {"Admin Status", "IFADMINSTATUS", "ADMINSTATUS", "*", false},
      {"Interface Type", "IFTYPE", "INTERFACETYPE", "*", false},
      {"Interface Type Icon", "IFTYPE", "ICON", "INTERFACETYPE", false},
      {"Speed", "IFSPEED", "BPS", "bps", false},
      {"MTU", "IFMTU", "*", "*", false},
      {"MAC Address", "IFPHYSADDRESS", "MACADDRESS", "*", false},
      {"MAC Vendor", "IFPHYSADDRESS", "MACVENDOR", "*", false},
      {"Last Change", "IFLASTCHANGE", "TIMESTAMP", "*", false},
      {"In Traffic", "IFINOCTETS", "TRAFFIC", "bps", true},
      {"Out Traffic", "IFOUTOCTETS", "TRAFFIC", "bps", true},
      {"In Traffic 64", "IFHCINOCTETS", "TRAFFIC", "bps", true},
      {"Out Traffic 64", "IFHCOUTOCTETS", "TRAFFIC", "bps", true},
      {"In Utilization", "", "UTILIZATION", "*", true},
      {"Out Utilization", "", "UTILIZATION", "*", true},
      {"In Errors", "IFINERRORS", "*", "*", false},
      {"Out Errors", "IFOUTERRORS", "*", "*", false},
      {"In Discards", "IFINDISCARDS", "*", "*", false},
      {"Out Discards", "IFOUTDISCARDS", "*", "*", false},
      {"In Packets", "", "*", "*", false},
      {"Out Packets", "", "*", "*", false},
      {"Received Bytes", "", "BYTES", "*", true},
      {"Client MAC Address", "", "MACADDRESS", "*", false},
      {"Card Manufacturer", "", "MACVENDOR", "*", false},
      {"Client IP Address", "", "CISCONETWORKADDRESS", "*", false},
      {"Client Host Name", "", "REVERSEDNS", "*", false},
      {"Client Data Rates", "", "WIRELESSCLIENTDATARATES", "Mbps", false},
      // Empty while present ("0"), the moment of the stamp once missing.
      {"Disassociate Time", "", "NEGATIVETIMESTAMP", "*", false},
      {"Radio Type", "DOT11PHYTYPE", "ENUM", "*", false},
      {"5 GHz Channel", "DOT11CURRENTFREQUENCY", "*", "*", false},
      {"High Speed", "IFHIGHSPEED", "*", "Mbps", false},
  };
  for (const Required& r : required) {
    SCOPED_TRACE(r.name);
    const StatisticDefinition& statistic = Find(r.name);
    if (*r.mib) { EXPECT_EQ(statistic.Mib(), r.mib); }
    if (std::string(r.parser) != "*") { EXPECT_EQ(statistic.Parser(), r.parser); }
    if (std::string(r.units) != "*") { EXPECT_EQ(statistic.Units(), r.units); }
    if (r.counter) { EXPECT_TRUE(statistic.Flag("COUNTER")); }
  }
  EXPECT_TRUE(Find("Admin Status").Flag("CHECKBOX"));
}

}  // namespace
}  // namespace linkwatch
