// What the shipped MIB catalogue answers: names to OIDs in any letter case,
// labels, access codes, symbolic names; and the override of where it is found.
#include "platform/mib/BuiltinMibTree.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <memory>
#include <optional>
#include <string>

#include "MibTestFolder.h"
#include "platform/mib/MibCatalogueLocation.h"

namespace linkwatch {
namespace {

using test::Named;

// The shipped catalogue alone: these tests are about what it answers, so the
// user's installed MIB files stay out of them.
BuiltinMibTree& ShippedTree() {
  static BuiltinMibTree tree(BuiltinMibTree::Options{test::ShippedCatalogue(), {}, false});
  return tree;
}

TEST(ShippedMibCatalogue, LoadsWithoutProblems) {
  for (const std::string& problem : ShippedTree().CatalogueProblems()) ADD_FAILURE() << problem;
  EXPECT_GT(ShippedTree().CatalogueSize(), 300u);
}

TEST(ShippedMibCatalogue, NamesResolveToTheObjectsOidInAnyLetterCase) {
  // The catalogue's contents are the statistics file's business (every statistic
  // must resolve there); these are the ways of naming an object.
  const std::pair<const char*, const char*> cases[] = {
      {"ifInOctets", "1.3.6.1.2.1.2.2.1.10"}, {"  IFALIAS ", "1.3.6.1.2.1.31.1.1.1.18"},
      {"MIB-2", "1.3.6.1.2.1"},
      // Module-qualified and instance forms.
      {"IF-MIB::ifInOctets", "1.3.6.1.2.1.2.2.1.10"}, {"SYSUPTIME.0", "1.3.6.1.2.1.1.3.0"},
      // A dotted number names the object by its OID.
      {".1.3.6.1.2.1.2.2.1.16", "1.3.6.1.2.1.2.2.1.16"},
      {"1.3.6.1.4.1.424242.7", "1.3.6.1.4.1.424242.7"}};
  for (const auto& [name, oid] : cases) {
    const auto object = Named(ShippedTree(), name);
    EXPECT_EQ(object->NumericOid(), oid) << name;
    EXPECT_EQ(object->Name(), name);
  }
}

TEST(ShippedMibCatalogue, UnknownNamesAndMalformedOidsAnswerEmptyTextsAndFallbacks) {
  for (const char* name : {"", "   ", "NOSUCHOBJECT", "ifInOctetz", "ifInOctets.x", "ifInOctets.",
                           "1..3", "1.3.", "ENABLECHECKBOX"}) {
    SCOPED_TRACE(name);
    const auto object = Named(ShippedTree(), name);
    EXPECT_EQ(object->NumericOid(), "");
    EXPECT_EQ(object->Description(), "");
    EXPECT_EQ(object->EnumLabel(1, "Unknown"), "Unknown");
    EXPECT_EQ(object->EnumText(3), "3");
    EXPECT_EQ(object->AccessCode(), kMibNotAccessible);
  }
}

TEST(ShippedMibCatalogue, ObjectsCarryTheirKnowledgeByNumberAndAfterTheTreeIsGone) {
  const auto byNumber = Named(ShippedTree(), "1.3.6.1.2.1.2.2.1.7");
  EXPECT_EQ(byNumber->EnumText(2), "down");
  EXPECT_EQ(byNumber->AccessCode(), kMibWritable);
  // The description is one line in our words.
  const std::string description = Named(ShippedTree(), "IFINOCTETS")->Description();
  EXPECT_NE(description.find("Octets received"), std::string::npos) << description;
  EXPECT_EQ(description.find('\n'), std::string::npos);

  std::unique_ptr<MibObject> object;
  {
    BuiltinMibTree tree(BuiltinMibTree::Options{test::ShippedCatalogue(), {}, false});
    object = Named(tree, "IFOPERSTATUS");
  }
  EXPECT_EQ(object->NumericOid(), "1.3.6.1.2.1.2.2.1.8");
  EXPECT_EQ(object->EnumText(2), "down");
}

TEST(ShippedMibCatalogue, EnumLabelsOrTheirFallbacks) {
  struct Case {
    const char* name;
    int32_t value;
    std::optional<std::string> label;  // none: the value has no label
  };
  const Case cases[] = {
      {"IFOPERSTATUS", 1, "up"}, {"IFOPERSTATUS", 7, "lowerLayerDown"},
      {"IFOPERSTATUS", 8, std::nullopt},
      // Named enumerations shared through @TypeName.
      {"IFPROMISCUOUSMODE", 2, "false"}, {"DOT3STATSDUPLEXSTATUS", 3, "fullDuplex"},
      {"SYSDESCR", 1, std::nullopt}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.value));
    const auto object = Named(ShippedTree(), c.name);
    ASSERT_FALSE(object->NumericOid().empty());
    EXPECT_EQ(object->EnumLabel(c.value, "Unknown"), c.label.value_or("Unknown"));
    EXPECT_EQ(object->EnumText(c.value), c.label.value_or(std::to_string(c.value)));
  }
}

TEST(ShippedMibCatalogue, AccessCodeTwoMeansWritable) {
  const std::pair<const char*, int32_t> cases[] = {
      {"IFADMINSTATUS", kMibWritable}, {"IPNETTOMEDIATYPE", kMibWritable},  // read-create
      {"IFINOCTETS", kMibReadOnly}, {"IFENTRY", kMibNotAccessible}};
  for (const auto& [name, code] : cases) {
    EXPECT_EQ(Named(ShippedTree(), name)->AccessCode(), code) << name;
  }
}

TEST(ShippedMibCatalogue, SymbolicNamesAreTheLongestKnownPrefixThenTheRest) {
  const std::pair<const char*, const char*> cases[] = {
      {"1.3.6.1.2.1.2.2.1.10.3", "ifInOctets.3"}, {".1.3.6.1.2.1.1.3.0", "sysUpTime.0"},
      // Whole arcs only: column 15 is not ifIndex (column 1) followed by "5".
      {"1.3.6.1.2.1.2.2.1.15.2", "ifInUnknownProtos.2"}, {"1.3.6.1.2.1.2.2.99.1", "ifTable.99.1"},
      // Unknown or not an OID: unchanged.
      {"2.999.1", "2.999.1"}, {"sysUpTime.0", "sysUpTime.0"}, {"1..3", "1..3"}};
  for (const auto& [oid, symbolic] : cases) EXPECT_EQ(ShippedTree().SymbolicName(oid), symbolic);
}

TEST(MissingMibCatalogue, GivesEmptyAnswersAndSaysWhy) {
  test::MibTestFolder folder;
  BuiltinMibTree empty(BuiltinMibTree::Options{folder.Path(), {}, false});
  EXPECT_EQ(empty.CatalogueProblems().size(), 1u) << "an empty folder is reported too";

  BuiltinMibTree tree(BuiltinMibTree::Options{folder.Path() / "no-such-catalogue", {}, false});
  EXPECT_EQ(tree.CatalogueSize(), 0u);
  ASSERT_EQ(tree.CatalogueProblems().size(), 1u);
  EXPECT_NE(tree.CatalogueProblems()[0].find("no-such-catalogue"), std::string::npos);
  EXPECT_EQ(Named(tree, "IFINOCTETS")->NumericOid(), "");
  EXPECT_EQ(tree.SymbolicName("1.3.6.1.2.1.2.2.1.10.3"), "1.3.6.1.2.1.2.2.1.10.3");
  // A number still names itself, so a statistics file written with OIDs works.
  EXPECT_EQ(Named(tree, "1.3.6.1.2.1.2.2.1.10")->NumericOid(), "1.3.6.1.2.1.2.2.1.10");
}

// Where the catalogue is found without an override is the installed package's
// business (tests/packaging); here the override wins.
TEST(MibCatalogueLocation, TheEnvironmentOverrideWins) {
  const char* variable = MibCatalogueLocation::kEnvironmentVariable;
  const char* old = std::getenv(variable);
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  test::MibTestFolder folder;
  const auto file = folder.Write("mine.objects",
                                 "widgetCount 1.3.6.1.4.1.424242.1 read-only - How many widgets.\n");
  setenv(variable, file.c_str(), 1);
  BuiltinMibTree tree(BuiltinMibTree::Options{{}, {}, false});
  saved ? setenv(variable, saved->c_str(), 1) : unsetenv(variable);
  EXPECT_EQ(Named(tree, "WIDGETCOUNT")->NumericOid(), "1.3.6.1.4.1.424242.1");
  EXPECT_EQ(Named(tree, "IFINOCTETS")->NumericOid(), "");
}

}  // namespace
}  // namespace linkwatch
