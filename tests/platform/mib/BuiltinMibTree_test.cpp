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

// The shipped catalogue alone: these tests are about what it answers, so the
// user's installed MIB files stay out of them.
BuiltinMibTree& ShippedTree() {
  static BuiltinMibTree tree(BuiltinMibTree::Options{test::ShippedCatalogue(), {}, false});
  return tree;
}

std::unique_ptr<MibObject> Named(MibTree& tree, const std::string& name) {
  auto object = tree.NewObject();
  object->SetName(name);
  return object;
}

TEST(ShippedMibCatalogue, LoadsWithoutProblems) {
  const BuiltinMibTree& tree = ShippedTree();
  for (const std::string& problem : tree.CatalogueProblems()) ADD_FAILURE() << problem;
  EXPECT_GT(tree.CatalogueSize(), 300u);
}

struct NameCase {
  const char* name;
  const char* oid;
};

class MibNameLookup : public testing::TestWithParam<NameCase> {};

TEST_P(MibNameLookup, ResolvesToTheObjectsOid) {
  const auto object = Named(ShippedTree(), GetParam().name);
  EXPECT_EQ(object->NumericOid(), GetParam().oid) << GetParam().name;
  EXPECT_EQ(object->Name(), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    AnyLetterCase, MibNameLookup,
    testing::Values(NameCase{"ifInOctets", "1.3.6.1.2.1.2.2.1.10"},
                    NameCase{"IFINOCTETS", "1.3.6.1.2.1.2.2.1.10"},
                    NameCase{"ifinoctets", "1.3.6.1.2.1.2.2.1.10"},
                    NameCase{"  IFALIAS ", "1.3.6.1.2.1.31.1.1.1.18"},
                    NameCase{"SYSDESCR", "1.3.6.1.2.1.1.1"},
                    NameCase{"SYSSERVICES", "1.3.6.1.2.1.1.7"},
                    NameCase{"IFNUMBER", "1.3.6.1.2.1.2.1"},
                    NameCase{"IFSPECIFIC", "1.3.6.1.2.1.2.2.1.22"},
                    NameCase{"IFHCOUTOCTETS", "1.3.6.1.2.1.31.1.1.1.10"},
                    NameCase{"IFCOUNTERDISCONTINUITYTIME", "1.3.6.1.2.1.31.1.1.1.19"},
                    NameCase{"DOT3STATSFCSERRORS", "1.3.6.1.2.1.10.7.2.1.3"},
                    NameCase{"DOT3STATSSYMBOLERRORS", "1.3.6.1.2.1.10.7.2.1.18"},
                    NameCase{"DOT11COUNTRYSTRING", "1.2.840.10036.1.1.1.23"},
                    NameCase{"DOT11PHYTYPE", "1.2.840.10036.4.1.1.1"},
                    NameCase{"DOT11CCAMODESUPPORTED", "1.2.840.10036.4.5.1.2"},
                    NameCase{"DOT11CURRENTCCAMODE", "1.2.840.10036.4.5.1.3"},
                    NameCase{"DSX1LINESTATUS", "1.3.6.1.2.1.10.18.6.1.10"},
                    NameCase{"CDOT11CLIENTIPADDRESS", "1.3.6.1.4.1.9.9.273.1.2.1.1.16"},
                    NameCase{"CDOT11CLIENTDATARATESET", "1.3.6.1.4.1.9.9.273.1.2.1.1.11"},
                    NameCase{"CDOT11CLIENTSIGNALSTRENGTH", "1.3.6.1.4.1.9.9.273.1.3.1.1.3"},
                    NameCase{"IPNETTOMEDIAPHYSADDRESS", "1.3.6.1.2.1.4.22.1.2"},
                    NameCase{"MIB-2", "1.3.6.1.2.1"},
                    // module-qualified and instance forms
                    NameCase{"IF-MIB::ifInOctets", "1.3.6.1.2.1.2.2.1.10"},
                    NameCase{"SYSUPTIME.0", "1.3.6.1.2.1.1.3.0"},
                    // a dotted number names the object by its OID
                    NameCase{"1.3.6.1.2.1.2.2.1.10", "1.3.6.1.2.1.2.2.1.10"},
                    NameCase{".1.3.6.1.2.1.2.2.1.16", "1.3.6.1.2.1.2.2.1.16"},
                    NameCase{"1.3.6.1.4.1.424242.7", "1.3.6.1.4.1.424242.7"}));

class UnknownMibName : public testing::TestWithParam<const char*> {};

TEST_P(UnknownMibName, AnswersEmptyTextsAndFallbacks) {
  const auto object = Named(ShippedTree(), GetParam());
  EXPECT_EQ(object->NumericOid(), "");
  EXPECT_EQ(object->Description(), "");
  EXPECT_EQ(object->EnumLabel(1, "Unknown"), "Unknown");
  EXPECT_EQ(object->EnumText(3), "3");
  EXPECT_EQ(object->AccessCode(), kMibNotAccessible);
}

INSTANTIATE_TEST_SUITE_P(NamesAndMalformedOids, UnknownMibName,
                         testing::Values("", "   ", "NOSUCHOBJECT", "ifInOctetz", "ifInOctets.x",
                                         "ifInOctets.", "1..3", "1.3.", "ENABLECHECKBOX"));

TEST(MibObject, UnnamedObjectKnowsNothing) {
  const auto object = ShippedTree().NewObject();
  EXPECT_EQ(object->Name(), "");
  EXPECT_EQ(object->NumericOid(), "");
  EXPECT_EQ(object->AccessCode(), kMibNotAccessible);
}

TEST(MibObject, NumericNameOfAKnownObjectCarriesItsKnowledge) {
  const auto object = Named(ShippedTree(), "1.3.6.1.2.1.2.2.1.7");
  EXPECT_EQ(object->EnumText(2), "down");
  EXPECT_EQ(object->AccessCode(), kMibWritable);
  EXPECT_FALSE(object->Description().empty());
}

TEST(MibObject, DescriptionIsOneLineInOurWords) {
  const auto object = Named(ShippedTree(), "IFINOCTETS");
  const std::string description = object->Description();
  EXPECT_NE(description.find("Octets received"), std::string::npos) << description;
  EXPECT_EQ(description.find('\n'), std::string::npos);
}

struct EnumCase {
  const char* name;
  int32_t value;
  std::optional<std::string> label;  // none: the value has no label
};

class MibEnumLabels : public testing::TestWithParam<EnumCase> {};

TEST_P(MibEnumLabels, LabelOrFallback) {
  const EnumCase& c = GetParam();
  const auto object = Named(ShippedTree(), c.name);
  ASSERT_FALSE(object->NumericOid().empty()) << c.name;
  EXPECT_EQ(object->EnumLabel(c.value, "Unknown"), c.label.value_or("Unknown"));
  EXPECT_EQ(object->EnumText(c.value), c.label.value_or(std::to_string(c.value)));
}

INSTANTIATE_TEST_SUITE_P(
    Values, MibEnumLabels,
    testing::Values(EnumCase{"IFOPERSTATUS", 1, "up"}, EnumCase{"IFOPERSTATUS", 7, "lowerLayerDown"},
                    EnumCase{"IFOPERSTATUS", 8, std::nullopt},
                    EnumCase{"IFOPERSTATUS", 0, std::nullopt},
                    EnumCase{"IFADMINSTATUS", 3, "testing"},
                    EnumCase{"IFTYPE", 6, "ethernetCsmacd"}, EnumCase{"IFTYPE", 71, "ieee80211"},
                    EnumCase{"IFTYPE", 145, "if-gsn"}, EnumCase{"IFTYPE", 239, "dvbRcsMacLayer"},
                    EnumCase{"IFTYPE", -6, std::nullopt},
                    // named enumerations shared through @TypeName
                    EnumCase{"IFPROMISCUOUSMODE", 1, "true"}, EnumCase{"IFPROMISCUOUSMODE", 2, "false"},
                    EnumCase{"IFLINKUPDOWNTRAPENABLE", 2, "disabled"},
                    EnumCase{"CDOT11CLIENTIPADDRESSTYPE", 0, "unknown"},
                    EnumCase{"CDOT11CLIENTROLECLASSTYPE", 0, "clientStation"},
                    EnumCase{"DOT3STATSDUPLEXSTATUS", 3, "fullDuplex"},
                    EnumCase{"DOT11PHYTYPE", 6, "erp"}, EnumCase{"DOT11CURRENTCCAMODE", 16, "hrcsanded"},
                    EnumCase{"DSX1LINETYPE", 11, "dsx2E2"},
                    EnumCase{"IPNETTOMEDIATYPE", 3, "dynamic"},
                    EnumCase{"SYSDESCR", 1, std::nullopt}));

struct AccessCase {
  const char* name;
  int32_t code;
};

class MibAccessCodes : public testing::TestWithParam<AccessCase> {};

TEST_P(MibAccessCodes, TwoMeansWritable) {
  EXPECT_EQ(Named(ShippedTree(), GetParam().name)->AccessCode(), GetParam().code) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Objects, MibAccessCodes,
    testing::Values(AccessCase{"IFADMINSTATUS", kMibWritable}, AccessCase{"IFALIAS", kMibWritable},
                    AccessCase{"SYSCONTACT", kMibWritable},
                    AccessCase{"IPNETTOMEDIATYPE", kMibWritable},  // read-create
                    AccessCase{"IFINOCTETS", kMibReadOnly}, AccessCase{"IFOPERSTATUS", kMibReadOnly},
                    AccessCase{"SYSUPTIME.0", kMibReadOnly}, AccessCase{"IFENTRY", kMibNotAccessible},
                    AccessCase{"CDOT11CLIENTADDRESS", kMibNotAccessible},
                    AccessCase{"NOSUCHOBJECT", kMibNotAccessible}));

struct SymbolicCase {
  const char* oid;
  const char* symbolic;
};

class MibSymbolicNames : public testing::TestWithParam<SymbolicCase> {};

TEST_P(MibSymbolicNames, LongestKnownPrefixThenTheRest) {
  EXPECT_EQ(ShippedTree().SymbolicName(GetParam().oid), GetParam().symbolic);
}

INSTANTIATE_TEST_SUITE_P(
    Oids, MibSymbolicNames,
    testing::Values(
        SymbolicCase{"1.3.6.1.2.1.2.2.1.10.3", "ifInOctets.3"},
        SymbolicCase{"1.3.6.1.2.1.2.2.1.10", "ifInOctets"},
        SymbolicCase{".1.3.6.1.2.1.1.3.0", "sysUpTime.0"},
        // whole arcs only: column 15 is not ifIndex (column 1) followed by "5"
        SymbolicCase{"1.3.6.1.2.1.2.2.1.15.2", "ifInUnknownProtos.2"},
        SymbolicCase{"1.3.6.1.2.1.2.2.1.1.12", "ifIndex.12"},
        SymbolicCase{"1.3.6.1.4.1.9.9.273.1.2.1.1.16.3.4.84.101.115.116.0.17.34.51.68.85",
                     "cDot11ClientIpAddress.3.4.84.101.115.116.0.17.34.51.68.85"},
        SymbolicCase{"1.3.6.1.2.1.2.2.99.1", "ifTable.99.1"},
        SymbolicCase{"1.3.6.1.4.1.99999.1.2", "enterprises.99999.1.2"},
        SymbolicCase{"1.3.6.1.2.1", "mib-2"},
        // unknown or not an OID: unchanged
        SymbolicCase{"2.999.1", "2.999.1"}, SymbolicCase{"sysUpTime.0", "sysUpTime.0"},
        SymbolicCase{"1..3", "1..3"}, SymbolicCase{"", ""}));

TEST(MibObject, OutlivesTheTreeThatMadeIt) {
  std::unique_ptr<MibObject> object;
  {
    BuiltinMibTree tree(BuiltinMibTree::Options{test::ShippedCatalogue(), {}, false});
    object = Named(tree, "IFOPERSTATUS");
  }
  EXPECT_EQ(object->NumericOid(), "1.3.6.1.2.1.2.2.1.8");
  EXPECT_EQ(object->EnumText(2), "down");
}

TEST(MissingMibCatalogue, GivesEmptyAnswersAndSaysWhy) {
  test::MibTestFolder folder;
  BuiltinMibTree tree(BuiltinMibTree::Options{folder.Path() / "no-such-catalogue", {}, false});
  EXPECT_EQ(tree.CatalogueSize(), 0u);
  ASSERT_EQ(tree.CatalogueProblems().size(), 1u);
  EXPECT_NE(tree.CatalogueProblems()[0].find("no-such-catalogue"), std::string::npos);
  const auto object = Named(tree, "IFINOCTETS");
  EXPECT_EQ(object->NumericOid(), "");
  EXPECT_EQ(object->Description(), "");
  EXPECT_EQ(object->EnumLabel(1, "Unknown"), "Unknown");
  EXPECT_EQ(object->AccessCode(), kMibNotAccessible);
  EXPECT_EQ(tree.SymbolicName("1.3.6.1.2.1.2.2.1.10.3"), "1.3.6.1.2.1.2.2.1.10.3");
  // A number still names itself, so a statistics file written with OIDs works.
  EXPECT_EQ(Named(tree, "1.3.6.1.2.1.2.2.1.10")->NumericOid(), "1.3.6.1.2.1.2.2.1.10");
}

TEST(MissingMibCatalogue, EmptyFolderIsReportedToo) {
  test::MibTestFolder folder;
  BuiltinMibTree tree(BuiltinMibTree::Options{folder.Path(), {}, false});
  EXPECT_EQ(tree.CatalogueSize(), 0u);
  EXPECT_EQ(tree.CatalogueProblems().size(), 1u);
}

// Restores an environment variable to what it was when the guard was made.
class EnvironmentGuard {
 public:
  explicit EnvironmentGuard(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) saved_ = value;
  }
  ~EnvironmentGuard() {
    if (saved_) {
      setenv(name_, saved_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

TEST(MibCatalogueLocation, EnvironmentOverrideWinsEvenWhenMissing) {
  EnvironmentGuard guard(MibCatalogueLocation::kEnvironmentVariable);
  test::MibTestFolder folder;
  const auto missing = folder.Path() / "elsewhere";
  setenv(MibCatalogueLocation::kEnvironmentVariable, missing.c_str(), 1);
  BuiltinMibTree::Options options;
  options.useInstalledMibs = false;
  BuiltinMibTree tree(options);
  EXPECT_EQ(tree.CataloguePath(), missing);
  EXPECT_EQ(Named(tree, "IFINOCTETS")->NumericOid(), "");
}

TEST(MibCatalogueLocation, EnvironmentOverrideMayNameOneFile) {
  EnvironmentGuard guard(MibCatalogueLocation::kEnvironmentVariable);
  test::MibTestFolder folder;
  const auto file = folder.Write("mine.objects",
                                 "widgetCount 1.3.6.1.4.1.424242.1 read-only - How many widgets.\n");
  setenv(MibCatalogueLocation::kEnvironmentVariable, file.c_str(), 1);
  BuiltinMibTree tree(BuiltinMibTree::Options{{}, {}, false});
  EXPECT_EQ(Named(tree, "WIDGETCOUNT")->NumericOid(), "1.3.6.1.4.1.424242.1");
}

TEST(MibCatalogueLocation, WithoutOverrideFindsTheShippedCatalogue) {
  EnvironmentGuard guard(MibCatalogueLocation::kEnvironmentVariable);
  unsetenv(MibCatalogueLocation::kEnvironmentVariable);
  BuiltinMibTree tree(BuiltinMibTree::Options{{}, {}, false});
  EXPECT_TRUE(tree.CatalogueProblems().empty());
  EXPECT_EQ(Named(tree, "IFINOCTETS")->NumericOid(), "1.3.6.1.2.1.2.2.1.10");
}

}  // namespace
}  // namespace linkwatch
