#include "platform/mib/MibCatalogueReader.h"

#include <gtest/gtest.h>

#include "MibTestFolder.h"

namespace linkwatch {
namespace {

const MibEntry* FindEntry(const MibCatalogueReader::Result& result, const std::string& name) {
  for (const MibEntry& entry : result.entries) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

TEST(MibCatalogueReader, ReadsEveryFieldOfAnObjectLine) {
  const auto result = MibCatalogueReader::ReadText(
      "# a comment, then a blank line\n"
      "\n"
      "  ifAdminStatus  1.3.6.1.2.1.2.2.1.7  read-write  up(1),down(2),testing(3)   Wanted   state. \r\n",
      "t");
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.entries.size(), 1u);
  const MibEntry& entry = result.entries[0];
  EXPECT_EQ(entry.name, "ifAdminStatus");
  EXPECT_EQ(entry.oid, "1.3.6.1.2.1.2.2.1.7");
  EXPECT_EQ(entry.access, kMibWritable);
  EXPECT_EQ(entry.enumLabels, (std::map<int32_t, std::string>{{1, "up"}, {2, "down"}, {3, "testing"}}));
  EXPECT_EQ(entry.description, "Wanted state.");
}

TEST(MibCatalogueReader, ABadLineIsSkippedAndReportedWhileTheRestLoads) {
  const std::pair<const char*, const char*> cases[] = {
      {"bad 1.3.x.1 read-only - Not numeric.", "not a numeric OID"},
      {"bad 1.3.6.1.4.1.424242.3 readonly - Wrong word.", "not an access word"},
      {"bad 1.3.6.1.4.1.424242.3 read-only up(1),down Half a list.", "malformed enumeration"},
      {"bad 1.3.6.1.4.1.424242.3 read-only", "enumeration field is missing"},
      {"GOOD 1.3.6.1.4.1.424242.4 read-only - Same name in another case.", "defined twice"},
      {"@Broken small(1", "malformed enumeration line"},
      {"quiet 1.3.6.1.4.1.424242.5 read-only -", "no description"}};  // loads, but is reported
  for (const auto& [line, complaint] : cases) {
    SCOPED_TRACE(line);
    const std::string text = std::string("good 1.3.6.1.4.1.424242.1 read-only - Fine.\n") + line +
                             "\nalsoGood 1.3.6.1.4.1.424242.2 read-only - Fine.\n";
    const auto result = MibCatalogueReader::ReadText(text, "cat.objects");
    EXPECT_NE(FindEntry(result, "good"), nullptr);
    EXPECT_NE(FindEntry(result, "alsoGood"), nullptr);
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_NE(result.problems[0].find("cat.objects:2"), std::string::npos) << result.problems[0];
    EXPECT_NE(result.problems[0].find(complaint), std::string::npos) << result.problems[0];
  }
  EXPECT_NE(FindEntry(MibCatalogueReader::ReadText("quiet 1.3.6.1.4.1.424242.1 read-only -\n", "t"),
                      "quiet"),
            nullptr);
}

TEST(MibCatalogueReader, FolderIsReadFileByFileInNameOrderAndGarbageIsReportedNotFatal) {
  test::MibTestFolder folder;
  folder.Write("B.objects", "second 1.3.6.1.4.1.424242.2 read-only @Shared From B.\n");
  folder.Write("A.objects", "first 1.3.6.1.4.1.424242.1 read-only - From A.\n@Shared on(1)\n");
  folder.Write("notes.txt", "ignored 1.3.6.1.4.1.424242.3 read-only - Not a catalogue file.\n");
  const auto result = MibCatalogueReader::Read(folder.Path());
  EXPECT_TRUE(result.problems.empty());
  ASSERT_EQ(result.entries.size(), 2u);
  EXPECT_EQ(result.entries[0].name, "first");
  EXPECT_EQ(result.entries[1].name, "second");
  EXPECT_EQ(result.entries[1].enumLabels.at(1), "on");

  const auto junk =
      folder.Write("junk.objects", std::string("\x00\xff\x01 1.2 read-only -\n\x7f", 20));
  const auto garbage = MibCatalogueReader::Read(junk);
  EXPECT_TRUE(garbage.entries.empty());
  EXPECT_FALSE(garbage.problems.empty());
}

}  // namespace
}  // namespace linkwatch
