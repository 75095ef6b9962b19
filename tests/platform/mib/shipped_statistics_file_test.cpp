// The statistics file the library ships: every statistic must resolve through the
// built-in catalogue and make sense as a column of the interface grid.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <pugixml.hpp>
#include <set>
#include <string>
#include <vector>

#include "MibTestFolder.h"
#include "common/TextFunctions.h"
#include "platform/mib/BuiltinMibTree.h"

namespace linkwatch {
namespace {

// One Statistic element, attribute names upper-cased as the library reads them.
struct StatisticDefinition {
  std::map<std::string, std::string> attributes;

  std::string Get(const std::string& name) const {
    const auto found = attributes.find(name);
    return found == attributes.end() ? std::string() : found->second;
  }
  std::string Name() const { return TrimBlanks(Get("NAME")); }
  std::string Mib() const { return UpperCase(TrimBlanks(Get("MIB"))); }
  std::string Parser() const { return UpperCase(TrimBlanks(Get("PARSER"))); }
  std::string Units() const { return TrimBlanks(Get("UNITS")); }
  bool Flag(const std::string& name) const {
    static const std::set<std::string> kTrue = {"YES", "TRUE", "1", "Y", "USER"};
    return kTrue.count(UpperCase(Get(name))) != 0;
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
        definition.attributes[UpperCase(attribute.name())] = attribute.value();
      }
      statistics.push_back(std::move(definition));
    }
  }
  // The catalogue alone: the shipped file must not depend on the user's MIB files.
  static BuiltinMibTree& Tree() {
    static BuiltinMibTree tree(BuiltinMibTree::Options{test::ShippedCatalogue(), {}, false});
    return tree;
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
    EXPECT_TRUE(names.insert(UpperCase(statistic.Name())).second) << "twice, ignoring case";
    EXPECT_EQ(statistic.Name().find(':'), std::string::npos);
    for (const char* text : {"GROUP", "HEADER", "DESCRIPTION"}) {
      EXPECT_FALSE(TrimBlanks(statistic.Get(text)).empty()) << text;
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
                    .count(UpperCase(statistic.Units())),
                1u)
          << "icon units name what the number is";
    }
    ASSERT_FALSE(statistic.Mib().empty());
    if (statistic.Mib() == "ENABLECHECKBOX") {  // the unbound check box column
      EXPECT_TRUE(statistic.Flag("CHECKBOX"));
      ++unboundCheckBoxes;
      continue;
    }
    const auto object = test::Named(Tree(), statistic.Mib());
    const std::string oid = object->NumericOid();
    EXPECT_FALSE(oid.empty()) << "unknown to the catalogue";
    if (oid.empty()) continue;
    // The poll walks a statistic's OID as a table column and reads the ifIndex
    // from the arc after it, so scalars and whole tables do not fit; and agents
    // never return a not-accessible column (a row index) in a walk.
    const std::string row = Tree().SymbolicName(oid.substr(0, oid.rfind('.')));
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
}

}  // namespace
}  // namespace linkwatch
