// Where the catalogue reads from: registry files given by path, missing or
// damaged files, and the data folder of its own tables.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "platform/catalog/RegistryDeviceCatalog.h"

namespace linkwatch {
namespace {

using testing::TempFolder;

// Sources that all point into `folder`, with problems collected in `messages`.
CatalogSources SourcesIn(const TempFolder& folder, std::vector<std::string>& messages) {
  CatalogSources sources;
  const auto at = [&](const char* name) { return (folder.Path() / name).string(); };
  sources.ieeeLargeBlocks = at("oui.csv");
  sources.ieeeMediumBlocks = at("mam.csv");
  sources.ieeeSmallBlocks = at("oui36.csv");
  sources.ieeeIndividualBlocks = at("iab.csv");
  sources.enterpriseNumbers = at("enterprises.tsv");
  sources.interfaceTypes = at("iftypes.tsv");
  sources.machineTypes = at("machine-types.tsv");
  sources.report = [&messages](const std::string& message) { messages.push_back(message); };
  return sources;
}

TEST(MissingRegistries, GiveEmptyAnswersAndReportEachFileOnce) {
  TempFolder folder;
  std::vector<std::string> messages;
  RegistryDeviceCatalog catalog(SourcesIn(folder, messages));

  EXPECT_TRUE(messages.empty()) << "nothing may be read before it is needed";
  EXPECT_EQ(catalog.MacVendor("00000C123456"), "");
  ASSERT_EQ(messages.size(), 4u);  // the four IEEE files
  EXPECT_NE(messages[0].find((folder.Path() / "oui.csv").string()), std::string::npos)
      << messages[0];
  EXPECT_NE(messages[0].find("No such file"), std::string::npos) << messages[0];
  EXPECT_EQ(catalog.MacVendor("00000C123456"), "");
  EXPECT_EQ(messages.size(), 4u) << "a missing file is reported once";

  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.9.1.516"), "");
  EXPECT_EQ(catalog.SystemMachineType("1.3.6.1.4.1.8072.3.2.10"), "");
  EXPECT_EQ(catalog.InterfaceTypeText(6), "6");
  EXPECT_EQ(catalog.InterfaceTypeDescription(6), "Unknown");
  ASSERT_NE(catalog.InterfaceTypeIcon(6), nullptr);
  EXPECT_EQ(catalog.InterfaceTypeIcon(6)->Name(), "iftype-other");
  EXPECT_EQ(messages.size(), 7u);
  EXPECT_EQ(catalog.Messages(), messages);
  EXPECT_EQ(catalog.LastMessage(), messages.back());
  EXPECT_NE(catalog.LastMessage().find("iftypes.tsv"), std::string::npos);

  // What needs no registry still works.
  EXPECT_EQ(catalog.NormalizeStatus(1, 0), 1);
  EXPECT_NE(catalog.StatusIcon(1), nullptr);
  EXPECT_NE(catalog.SystemVendorIcon("1.3.6.1.4.1.9.1.516"), nullptr);
}

TEST(MissingRegistries, AFolderInPlaceOfAFileIsReportedNotFatal) {
  TempFolder folder;
  std::vector<std::string> messages;
  CatalogSources sources = SourcesIn(folder, messages);
  sources.enterpriseNumbers = folder.Path().string();
  RegistryDeviceCatalog catalog(sources);
  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.9"), "");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("folder"), std::string::npos) << messages[0];
}

TEST(RegistryFiles, IeeeCsvQuotingAndLineBreaksAreRead) {
  TempFolder folder;
  std::vector<std::string> messages;
  folder.Write("oui.csv",
               "Registry,Assignment,Organization Name,Organization Address\r\n"
               "MA-L,AABBCC,\"Quoted, Inc.\",\"Street 1\r\nTown\"\r\n"
               "MA-L,112233,\"Says \"\"hello\"\" Ltd\",Somewhere\r\n"
               "MA-L,NOTHEX,Broken Row,\r\n"
               "MA-L,445566,Plain Corp,\r\n");
  folder.Write("mam.csv", "Registry,Assignment,Organization Name,Organization Address\n"
                          "MA-M,AABBCCD,Medium Block Co,Addr\n");
  folder.Write("oui36.csv", "Registry,Assignment,Organization Name,Organization Address\n"
                            "MA-S,AABBCCDEF,Small Block Co,Addr\n");
  folder.Write("iab.csv", "Registry,Assignment,Organization Name,Organization Address\n"
                          "IAB,445566123,Individual Block Co,Addr\n");
  RegistryDeviceCatalog catalog(SourcesIn(folder, messages));

  EXPECT_EQ(catalog.MacVendor("AA:BB:CC:00:00:01"), "Quoted, Inc.");
  EXPECT_EQ(catalog.MacVendor("11:22:33:00:00:01"), "Says \"hello\" Ltd");
  EXPECT_EQ(catalog.MacVendor("44:55:66:00:00:01"), "Plain Corp");
  EXPECT_EQ(catalog.MacVendor("AA:BB:CC:D0:00:01"), "Medium Block Co");
  EXPECT_EQ(catalog.MacVendor("AA:BB:CC:DE:F0:01"), "Small Block Co");
  EXPECT_EQ(catalog.MacVendor("AA:BB:CC:DE:00:01"), "Medium Block Co");
  EXPECT_EQ(catalog.MacVendor("44:55:66:12:30:01"), "Individual Block Co");
  EXPECT_TRUE(messages.empty()) << messages.front();
}

TEST(RegistryFiles, EnterpriseLinesWithBlanksRemarksAndGarbage) {
  TempFolder folder;
  std::vector<std::string> messages;
  folder.Write("enterprises.tsv",
               "# comment\n"
               "9\tciscoSystems\n"
               "11   Hewlett-Packard\r\n"
               "95\tRockwell Automation, Inc.\t# formerly 'Allen-Bradley Company'\n"
               "not a number\tNobody\n"
               "12\n"
               "500\tExample Networks (https://example.net/about )\n"
               "501\thttp://only-an-address.example/path\n"
               "502\tBracket Co <http://bracket.example>\n"
               "\n");
  RegistryDeviceCatalog catalog(SourcesIn(folder, messages));
  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.9.1"), "Cisco");  // the familiar name
  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.11.2"), "Hewlett-Packard");
  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.95"), "Rockwell Automation, Inc.");
  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.12"), "");
  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.500"), "Example Networks");
  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.501"), "only-an-address.example");
  EXPECT_EQ(catalog.SystemVendor("1.3.6.1.4.1.502"), "Bracket Co");
  EXPECT_TRUE(messages.empty());
}

TEST(RegistryFiles, MalformedTableRowsAreSkippedAndCounted) {
  TempFolder folder;
  std::vector<std::string> messages;
  folder.Write("iftypes.tsv",
               "# number, name, description, family\n"
               "6\tethernetCsmacd\tEthernet\tethernet\n"
               "seven\tbroken\tBroken\tother\n"
               "8\tonlyName\n"
               "71\tieee80211\tWireless LAN\twireless\n"
               "999\tnewType\tNew Type\tno-such-family\n");
  folder.Write("machine-types.tsv",
               "1.3.6.1.4.1.8072.3.2.10\tLinux\n"
               "not.an.oid\tBroken\n"
               "1.3.6.1.4.1.9\n");
  RegistryDeviceCatalog catalog(SourcesIn(folder, messages));

  EXPECT_EQ(catalog.InterfaceTypeText(6), "ethernetCsmacd");
  EXPECT_EQ(catalog.InterfaceTypeText(71), "ieee80211");
  EXPECT_EQ(catalog.InterfaceTypeText(8), "8");
  EXPECT_EQ(catalog.InterfaceTypeIcon(999)->Name(), "iftype-other");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("skipped 2 malformed rows"), std::string::npos) << messages[0];

  EXPECT_EQ(catalog.SystemMachineType("1.3.6.1.4.1.8072.3.2.10"), "Linux");
  EXPECT_EQ(catalog.SystemMachineType("1.3.6.1.4.1.9.1"), "");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_NE(messages[1].find("skipped 2 malformed rows"), std::string::npos) << messages[1];
}

TEST(RegistryFiles, EmptyAndBinaryFilesGiveEmptyAnswers) {
  TempFolder folder;
  std::vector<std::string> messages;
  folder.Write("oui.csv", "");
  folder.Write("mam.csv", std::string("\0\0\xff\xfe\"unterminated", 17));
  folder.Write("oui36.csv", "\"");
  folder.Write("iab.csv", ",,,,\n\n\n");
  RegistryDeviceCatalog catalog(SourcesIn(folder, messages));
  EXPECT_EQ(catalog.MacVendor("00000C123456"), "");
  EXPECT_TRUE(messages.empty());
}

// --- The catalogue's data folder ---

class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const char* value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    setenv(name, value, 1);
  }
  ~ScopedEnvironment() {
    if (old_.empty()) {
      unsetenv(name_.c_str());
    } else {
      setenv(name_.c_str(), old_.c_str(), 1);
    }
  }

 private:
  std::string name_;
  std::string old_;
};

TEST(CatalogDataFolder, DefaultsToAFolderHoldingTheShippedTables) {
  const std::filesystem::path folder = CatalogDataDirectory();
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "iftypes.tsv")) << folder;
  EXPECT_TRUE(std::filesystem::is_regular_file(folder / "machine-types.tsv")) << folder;
  const CatalogSources defaults = CatalogSources::Defaults();
  EXPECT_EQ(defaults.interfaceTypes, (folder / "iftypes.tsv").string());
  EXPECT_EQ(defaults.machineTypes, (folder / "machine-types.tsv").string());
  EXPECT_TRUE(static_cast<bool>(defaults.report));
}

TEST(CatalogDataFolder, EnvironmentOverrideWins) {
  TempFolder folder;
  folder.Write("iftypes.tsv", "6\tmyEthernet\tMy Ethernet\tethernet\n");
  folder.Write("machine-types.tsv", "1.3.6.1.4.1.8072.3.2.10\tMy Linux\n");
  ScopedEnvironment environment("LINKWATCH_CATALOG_DIR", folder.Path().c_str());
  EXPECT_EQ(CatalogDataDirectory(), folder.Path().string());
  RegistryDeviceCatalog catalog;
  EXPECT_EQ(catalog.InterfaceTypeText(6), "myEthernet");
  EXPECT_EQ(catalog.SystemMachineType("1.3.6.1.4.1.8072.3.2.10"), "My Linux");
}

TEST(PerThreadCatalogues, EachThreadReadsAndAnswersOnItsOwn) {
  // The platform makes one catalogue per thread; two threads must not disturb
  // each other's lazily read registries.
  std::vector<std::string> answers(2);
  std::vector<std::thread> threads;
  for (size_t i = 0; i < answers.size(); ++i) {
    threads.emplace_back([&answers, i] {
      RegistryDeviceCatalog catalog;
      answers[i] = catalog.MacVendor("00000C123456") + "|" +
                   catalog.SystemVendor("1.3.6.1.4.1.8072.3.2.10") + "|" +
                   catalog.InterfaceTypeText(6);
    });
  }
  for (auto& thread : threads) thread.join();
  for (const auto& answer : answers) EXPECT_EQ(answer, "Cisco Systems, Inc|Net-SNMP|ethernetCsmacd");
}

}  // namespace
}  // namespace linkwatch
