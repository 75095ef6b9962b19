// Where the catalogue reads from: registry files given by path, missing or
// damaged files, and the data folder of its own tables.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/catalog/RegistryDeviceCatalog.h"
#include "support/Files.h"

namespace linkwatch {
namespace {

// Registry files in a scratch folder; the catalogue's problems are collected.
class CatalogSourcesTest : public ::testing::Test {
 protected:
  std::string At(const char* name) const { return folder.Path() + "/" + name; }
  void Write(const char* name, const std::string& contents) const {
    std::ofstream(At(name), std::ios::binary) << contents;
  }
  CatalogSources Sources() {
    CatalogSources sources;
    sources.ieeeLargeBlocks = At("oui.csv");
    sources.ieeeMediumBlocks = At("mam.csv");
    sources.ieeeSmallBlocks = At("oui36.csv");
    sources.ieeeIndividualBlocks = At("iab.csv");
    sources.enterpriseNumbers = At("enterprises.tsv");
    sources.interfaceTypes = At("iftypes.tsv");
    sources.machineTypes = At("machine-types.tsv");
    sources.report = [this](const std::string& message) { messages.push_back(message); };
    return sources;
  }
  support::TemporaryDirectory folder{"linkwatch-catalog"};
  std::vector<std::string> messages;
};

TEST_F(CatalogSourcesTest, MissingRegistriesGiveEmptyAnswersAndAreReportedOnceEach) {
  RegistryDeviceCatalog catalog(Sources());
  EXPECT_TRUE(messages.empty()) << "nothing may be read before it is needed";
  EXPECT_EQ(catalog.MacVendor("00000C123456"), "");
  ASSERT_EQ(messages.size(), 4u);  // the four IEEE files
  EXPECT_NE(messages[0].find(At("oui.csv")), std::string::npos) << messages[0];
  EXPECT_NE(messages[0].find("No such file"), std::string::npos) << messages[0];
  EXPECT_EQ(catalog.MacVendor("00000C123456"), "");
  EXPECT_EQ(messages.size(), 4u) << "a missing file is reported once";

  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.9.1.516"), "");
  EXPECT_EQ(catalog.SystemMachineType("1.3.6.1.4.1.8072.3.2.10"), "");
  EXPECT_EQ(catalog.InterfaceTypeText(6), "6");
  EXPECT_EQ(catalog.InterfaceTypeDescription(6), "Unknown");
  ASSERT_NE(catalog.InterfaceTypeIcon(6), nullptr);
  EXPECT_EQ(catalog.InterfaceTypeIcon(6)->Name(), "iftype-other");
  ASSERT_EQ(messages.size(), 7u);
  EXPECT_NE(messages.back().find("iftypes.tsv"), std::string::npos);
}

TEST_F(CatalogSourcesTest, IeeeCsvQuotingLineBreaksAndAllFourBlockSizesAreRead) {
  const std::string header = "Registry,Assignment,Organization Name,Organization Address\n";
  Write("oui.csv", header +
                       "MA-L,AABBCC,\"Quoted, Inc.\",\"Street 1\r\nTown\"\r\n"
                       "MA-L,112233,\"Says \"\"hello\"\" Ltd\",Somewhere\r\n"
                       "MA-L,NOTHEX,Broken Row,\r\n"
                       "MA-L,445566,Plain Corp,\r\n");
  Write("mam.csv", header + "MA-M,AABBCCD,Medium Block Co,Addr\n");
  Write("oui36.csv", header + "MA-S,AABBCCDEF,Small Block Co,Addr\n");
  Write("iab.csv", header + "IAB,445566123,Individual Block Co,Addr\n");
  RegistryDeviceCatalog catalog(Sources());
  const std::pair<const char*, const char*> cases[] = {
      {"AA:BB:CC:00:00:01", "Quoted, Inc."},     {"11:22:33:00:00:01", "Says \"hello\" Ltd"},
      {"44:55:66:00:00:01", "Plain Corp"},       {"AA:BB:CC:D0:00:01", "Medium Block Co"},
      {"AA:BB:CC:DE:F0:01", "Small Block Co"},   {"AA:BB:CC:DE:00:01", "Medium Block Co"},
      {"44:55:66:12:30:01", "Individual Block Co"}};
  for (const auto& [mac, vendor] : cases) EXPECT_EQ(catalog.MacVendor(mac), vendor) << mac;
  EXPECT_TRUE(messages.empty()) << messages.front();
}

// Tab-separated tables: blanks, remarks and comments are allowed; rows that do not
// parse are skipped, and the tables of our own format count them in one message.
TEST_F(CatalogSourcesTest, TableLinesWithBlanksRemarksAndGarbage) {
  Write("enterprises.tsv",
        "# comment\n"
        "9\tciscoSystems\n"
        "11   Hewlett-Packard\r\n"
        "95\tRockwell Automation, Inc.\t# formerly 'Allen-Bradley Company'\n"
        "not a number\tNobody\n"
        "12\n"
        "500\tExample Networks (https://example.net/about )\n"
        "501\thttp://only-an-address.example/path\n"
        "\n");
  Write("iftypes.tsv",
        "# number, name, description, family\n"
        "6\tethernetCsmacd\tEthernet\tethernet\n"
        "seven\tbroken\tBroken\tother\n"
        "8\tonlyName\n"
        "999\tnewType\tNew Type\tno-such-family\n");
  Write("machine-types.tsv", "1.3.6.1.4.1.8072.3.2.10\tLinux\nnot.an.oid\tBroken\n1.3.6.1.4.1.9\n");
  RegistryDeviceCatalog catalog(Sources());
  const std::pair<const char*, const char*> cases[] = {
      {"9.1", "Cisco"},  // the familiar name
      {"11.2", "Hewlett-Packard"},   {"95", "Rockwell Automation, Inc."},
      {"12", ""},                    {"500", "Example Networks"},
      {"501", "only-an-address.example"}};
  for (const auto& [arcs, vendor] : cases) {
    EXPECT_EQ(catalog.SystemVendor(std::string("1.3.6.1.4.1.") + arcs), vendor) << arcs;
  }
  EXPECT_TRUE(messages.empty()) << "the enterprise registry's odd lines are no news";
  EXPECT_EQ(catalog.InterfaceTypeText(6), "ethernetCsmacd");
  EXPECT_EQ(catalog.InterfaceTypeText(8), "8");
  EXPECT_EQ(catalog.InterfaceTypeIcon(999)->Name(), "iftype-other");
  EXPECT_EQ(catalog.SystemMachineType("1.3.6.1.4.1.8072.3.2.10"), "Linux");
  EXPECT_EQ(catalog.SystemMachineType("1.3.6.1.4.1.9.1"), "");
  ASSERT_EQ(messages.size(), 2u);
  for (const std::string& message : messages) {
    EXPECT_NE(message.find("skipped 2 malformed rows"), std::string::npos) << message;
  }
}

TEST_F(CatalogSourcesTest, EmptyBinaryAndFolderFilesGiveEmptyAnswers) {
  Write("oui.csv", "");
  Write("mam.csv", std::string("\0\0\xff\xfe\"unterminated", 17));
  Write("oui36.csv", "\"");
  Write("iab.csv", ",,,,\n\n\n");
  CatalogSources sources = Sources();
  sources.enterpriseNumbers = folder.Path();
  RegistryDeviceCatalog catalog(sources);
  EXPECT_EQ(catalog.MacVendor("00000C123456"), "");
  EXPECT_TRUE(messages.empty()) << "empty and damaged files are no news";
  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.9"), "");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("folder"), std::string::npos) << messages[0];
}

// The shipped tables are found by the installed package's tests (tests/packaging).
TEST(CatalogDataFolder, TheEnvironmentOverridesTheShippedTables) {
  support::TemporaryDirectory folder("linkwatch-catalog");
  std::ofstream(folder.Path() + "/iftypes.tsv") << "6\tmyEthernet\tMy Ethernet\tethernet\n";
  std::ofstream(folder.Path() + "/machine-types.tsv") << "1.3.6.1.4.1.8072.3.2.10\tMy Linux\n";
  const char* kVariable = "LINKWATCH_CATALOG_DIR";
  const char* old = getenv(kVariable);
  const std::optional<std::string> saved = old ? std::optional<std::string>(old) : std::nullopt;
  setenv(kVariable, folder.Path().c_str(), 1);
  const std::string overridden = CatalogDataDirectory();
  RegistryDeviceCatalog catalog;
  const std::string type = catalog.InterfaceTypeText(6);
  const std::string machine = catalog.SystemMachineType("1.3.6.1.4.1.8072.3.2.10");
  saved ? setenv(kVariable, saved->c_str(), 1) : unsetenv(kVariable);
  EXPECT_EQ(overridden, folder.Path());
  EXPECT_EQ(type, "myEthernet");
  EXPECT_EQ(machine, "My Linux");
}

}  // namespace
}  // namespace linkwatch
