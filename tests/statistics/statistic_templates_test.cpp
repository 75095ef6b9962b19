#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "StatisticsFileFixture.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {
namespace {

class TemplatesTest : public StatisticsFileFixture {
 protected:
  // The templates of the statistics file as it is now.
  std::unique_ptr<StatisticTemplates> Loaded() const {
    auto templates = std::make_unique<StatisticTemplates>(platform->Mibs());
    templates->Refresh();
    return templates;
  }
};

std::vector<std::string> Names(const StatisticTemplates& templates) {
  std::vector<std::string> names;
  for (const auto& t : templates) {
    names.push_back(t->StatName());
  }
  return names;
}

// Attribute names and the parser in any letter case; the MIB name upper-cased;
// header and units trimmed, group and child kept as written; CustomSort for the
// parsers whose texts do not sort as the grid shows them.
TEST_F(TemplatesTest, AttributesAreTakenAsTheFileRulesSay) {
  WriteStatistics(R"(
    <Statistic NAME="All" MIB=" ifInOctets " PARSER="traffic " COUNTER="yes" CHECKBOX="USER"
               GRAPHABLE="Y" GROUP=" Traffic " CHILD=" Port " HEADER="  In  " UNITS=" bps "/>
    <Statistic NAME="Lower" mib="IfInOctets" Parser="number"/>
    <Statistic NAME="Plain" MIB="ifInOctets" PARSER="BPS"/>
  )");
  const auto templates = Loaded();
  ASSERT_EQ(templates->Count(), 3);
  const auto all = templates->Item("All");
  EXPECT_EQ(all->MIB(), "IFINOCTETS");
  EXPECT_EQ(all->Parser(), "TRAFFIC");
  EXPECT_TRUE(all->CustomSort());
  EXPECT_TRUE(all->Counter() && all->CheckBox() && all->Graphable());
  EXPECT_EQ(all->Group(), " Traffic ");
  EXPECT_EQ(all->Child(), " Port ");
  EXPECT_EQ(all->Header(), "In");
  EXPECT_EQ(all->Units(), "bps");
  const auto lower = templates->Item("Lower");
  EXPECT_EQ(lower->MIB(), "IFINOCTETS");
  EXPECT_TRUE(lower->CustomSort());
  const auto plain = templates->Item("Plain");
  EXPECT_FALSE(plain->CustomSort());
  EXPECT_FALSE(plain->Counter() || plain->CheckBox() || plain->Graphable());
}

TEST_F(TemplatesTest, NamesAreTrimmedAndFirstDefinitionWins) {
  WriteStatistics(R"(
    <Statistic NAME="  In Octets " MIB="ifInOctets" HEADER="first"/>
    <Statistic NAME="IN OCTETS" MIB="ifOutOctets" HEADER="second"/>
    <Statistic NAME="Descr" MIB="ifDescr"/>
  )");
  const auto templates = Loaded();
  EXPECT_EQ(Names(*templates), (std::vector<std::string>{"In Octets", "Descr"}));
  ASSERT_NE(templates->Item("in octets"), nullptr);
  EXPECT_EQ(templates->Item("in octets")->Header(), "first");
  EXPECT_EQ(templates->Item(2)->StatName(), "Descr");
  EXPECT_EQ(templates->StatisticsFile(), file);
}

TEST_F(TemplatesTest, ElementsWithoutAResolvableMibAreSkipped) {
  WriteStatistics(R"(
    <Statistic NAME="NoMib" HEADER="x"/>
    <Statistic NAME="BlankMib" MIB="   "/>
    <Statistic NAME="Unknown" MIB="ifNoSuchThing"/>
    <Statistic NAME="Good" MIB="ifDescr"/>
  )");
  const auto templates = Loaded();
  EXPECT_EQ(Names(*templates), (std::vector<std::string>{"Good"}));
  // The database is asked with the upper-cased name; elements without a name
  // never reach it.
  EXPECT_EQ(platform->Mib().NamesAsked(), (std::vector<std::string>{"IFNOSUCHTHING", "IFDESCR"}));
}

TEST_F(TemplatesTest, DescriptionComesFromTheMibObjectWhenThereIsOne) {
  WriteStatistics(R"(
    <Statistic NAME="Enable" MIB="enablecheckbox" DESCRIPTION="  Turn the port on or off " CHECKBOX="yes"/>
    <Statistic NAME="In" MIB="ifInOctets" DESCRIPTION="Written in the file"/>
  )");
  const auto templates = Loaded();
  ASSERT_EQ(templates->Count(), 2);
  const auto enable = templates->Item("Enable");
  EXPECT_EQ(enable->MIB(), "ENABLECHECKBOX");
  EXPECT_EQ(enable->OID(), nullptr);
  EXPECT_EQ(enable->Description(), "Turn the port on or off");
  EXPECT_TRUE(enable->CheckBox());
  // Only the one real MIB name reached the database.
  EXPECT_EQ(platform->Mib().ObjectsCreated(), 1);

  const auto in = templates->Item("In");
  ASSERT_NE(in->OID(), nullptr);
  EXPECT_EQ(in->OID()->NumericOid(), "1.3.6.1.2.1.2.2.1.10");
  EXPECT_EQ(in->Description(), "Octets received on the interface");
}

TEST_F(TemplatesTest, RefreshAddsNewNamesAndKeepsChangedOnesUntilClear) {
  WriteStatistics(R"(<Statistic NAME="In" MIB="ifInOctets" HEADER="old"/>)");
  const auto templates = Loaded();
  const auto kept = templates->Item("In");

  WriteStatistics(R"(
    <Statistic NAME="In" MIB="ifInOctets" HEADER="new"/>
    <Statistic NAME="Out" MIB="ifOutOctets"/>
  )");
  templates->Refresh();
  EXPECT_EQ(Names(*templates), (std::vector<std::string>{"In", "Out"}));
  EXPECT_EQ(templates->Item("In"), kept);
  EXPECT_EQ(templates->Item("In")->Header(), "old");

  templates->Clear();
  EXPECT_EQ(templates->Count(), 0);
  templates->Refresh();
  EXPECT_EQ(templates->Item("In")->Header(), "new");
  EXPECT_EQ(kept->Header(), "old");  // a holder keeps its template
}

TEST_F(TemplatesTest, FilesWithoutTheExpectedShapeGiveNoTemplates) {
  const char* const contents[] = {
      // another root element
      R"(<Other><Statistics><Statistic NAME="In" MIB="ifInOctets"/></Statistics></Other>)",
      // statistic elements in other places
      R"(<Portsight><Statistic NAME="In" MIB="ifInOctets"/>
         <Other><Statistic NAME="Out" MIB="ifOutOctets"/></Other>
         <Statistics><Group><Statistic NAME="D" MIB="ifDescr"/></Group></Statistics></Portsight>)",
  };
  for (const char* content : contents) {
    WriteFile(content);
    const auto templates = Loaded();
    EXPECT_EQ(templates->Count(), 0) << content;
  }
  std::filesystem::remove(file);
  const auto templates = Loaded();
  EXPECT_EQ(templates->Count(), 0);
  EXPECT_EQ(templates->StatisticsFile(), file);
  EXPECT_EQ(templates->LoadError(), "the file cannot be read");
}

TEST_F(TemplatesTest, AFileThatIsNotWellFormedSaysWhere) {
  WriteFile("<Portsight>\n <Statistics>\n  <Statistic NAME=\"In\" MIB=\"ifInOctets\">\n"
            " </Statistics>\n</Portsight>\n");
  const auto templates = Loaded();
  EXPECT_EQ(templates->Count(), 0);
  EXPECT_EQ(templates->LoadError().rfind("line 4, column ", 0), 0u) << templates->LoadError();
  WriteStatistics(R"(<Statistic NAME="In" MIB="ifInOctets"/>)");
  templates->Refresh();
  EXPECT_EQ(templates->LoadError(), "") << "a good file clears it";
}

TEST_F(TemplatesTest, RemoveOfAMissingTemplateIsAnError) {
  WriteStatistics(R"(
    <Statistic NAME="In" MIB="ifInOctets"/>
    <Statistic NAME="Out" MIB="ifOutOctets"/>
    <Statistic NAME="Descr" MIB="ifDescr"/>
  )");
  const auto templates = Loaded();
  EXPECT_THROW(templates->Remove("Missing"), std::invalid_argument);
  EXPECT_THROW(templates->Remove(0), std::invalid_argument);
  EXPECT_THROW(templates->Remove(4), std::invalid_argument);
  templates->Remove("OUT");
  EXPECT_EQ(Names(*templates), (std::vector<std::string>{"In", "Descr"}));
}

}  // namespace
}  // namespace linkwatch
