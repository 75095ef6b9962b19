#include "server/ClassRegistry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <ostream>
#include <string>

#include "control/InterfaceList.h"
#include "fakes/ControlFixture.h"
#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "model/InterfaceChildren.h"
#include "model/Interfaces.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/StatisticTemplates.h"
#include "statistics/Statistics.h"

namespace linkwatch {
namespace {

using testing_control::ControlTestPlatform;

class ClassRegistryTest : public ::testing::Test {
 protected:
  ClassRegistryTest() { registry.Register(); }

  ServerObject Create(const std::string& description) {
    ClassRegistry::Creation made = registry.Create(description);
    EXPECT_TRUE(made) << description << ": " << made.error;
    EXPECT_EQ(made.error, "");
    return made.object;
  }

  ControlTestPlatform platform;
  ClassRegistry registry;
};

struct DescriptionCase {
  const char* description;  // as a host might write it
  std::optional<ClassId> id;  // none: no class goes by it
  const char* error = "";   // a part of the error
};

// Every class by its description, some in the letter case of the type library,
// some in others; descriptions of no class fail with a clear error and make nothing.
const DescriptionCase kDescriptions[] = {
    {"Linkwatch.InterfaceList", ClassId::InterfaceList},
    {"linkwatch.interface", ClassId::Interface},
    {"LinkWatch.CHILD", ClassId::InterfaceChild},
    {"Linkwatch.Children", ClassId::InterfaceChildren},
    {"LINKWATCH.interfaces", ClassId::Interfaces},
    {"linkWatch.statistic", ClassId::Statistic},
    {"Linkwatch.Statistics", ClassId::Statistics},
    {"linkwatch.statistictemplate", ClassId::StatisticTemplate},
    {"Linkwatch.STATISTICTEMPLATES", ClassId::StatisticTemplates},
    {"", std::nullopt, "No class description given"},
    {"InterfaceList", std::nullopt, "Unknown class description \"InterfaceList\""},
    // The child class goes by its short name only.
    {"Linkwatch.InterfaceChild", std::nullopt,
     "Unknown class description \"Linkwatch.InterfaceChild\""},
};

void PrintTo(const DescriptionCase& c, std::ostream* os) { *os << '"' << c.description << '"'; }

class CreateByDescriptionTest : public ClassRegistryTest,
                                public ::testing::WithParamInterface<DescriptionCase> {};

// How many of the nine typed views of the object are set.
int TypedViews(const ServerObject& object) {
  return (object.As<InterfaceList>() != nullptr) + (object.As<Interface>() != nullptr) +
         (object.As<InterfaceChild>() != nullptr) + (object.As<InterfaceChildren>() != nullptr) +
         (object.As<Interfaces>() != nullptr) + (object.As<Statistic>() != nullptr) +
         (object.As<Statistics>() != nullptr) + (object.As<StatisticTemplate>() != nullptr) +
         (object.As<StatisticTemplates>() != nullptr);
}

TEST_P(CreateByDescriptionTest, MakesAnObjectOfThatClassOnlyOrSaysWhyNot) {
  const DescriptionCase& c = GetParam();
  const ClassRegistry::Creation made = registry.Create(c.description);
  EXPECT_EQ(static_cast<bool>(made), c.id.has_value()) << made.error;
  EXPECT_NE(made.error.find(c.error), std::string::npos) << made.error;
  EXPECT_EQ(made.object.Class(), c.id);
  EXPECT_EQ(TypedViews(made.object), c.id ? 1 : 0);  // usable as its own class and no other
  EXPECT_EQ(registry.LiveObjectCount(), c.id ? 1 : 0);
  EXPECT_EQ(registry.IsRegistered(c.description), c.id.has_value());
}

INSTANTIATE_TEST_SUITE_P(EveryClass, CreateByDescriptionTest, ::testing::ValuesIn(kDescriptions));

// Objects made on their own, outside a control, hand out working parts: an
// interface its collections, statistics the thread's templates.
TEST_F(ClassRegistryTest, CreatedObjectsWorkOutsideAControl) {
  const auto interface = Create("Linkwatch.Interface").As<Interface>();
  ASSERT_NE(interface, nullptr);
  EXPECT_NE(interface->Children(), nullptr);

  const auto statistics = Create("Linkwatch.Statistics").As<Statistics>();
  ASSERT_NE(statistics, nullptr);
  statistics->SetStatistic(nullptr, "", "status", "1", "01");
  ASSERT_NE(statistics->Item("STATUS"), nullptr);
  EXPECT_EQ(statistics->Item("STATUS")->StatName(), "STATUS");

  const auto control = Create("Linkwatch.InterfaceList").As<InterfaceList>();
  ASSERT_NE(control, nullptr);
  EXPECT_FALSE(control->Active());
  EXPECT_EQ(control->StatisticTemplates(), Globals::Templates());
}

// A new StatisticTemplates loads the statistics file when it is made, apart from
// the thread's shared collection.
TEST_F(ClassRegistryTest, CreatedStatisticTemplatesLoadTheStatisticsFile) {
  const std::filesystem::path file =
      std::filesystem::path(::testing::TempDir()) / "server_registry_statistics.cfg";
  {
    std::ofstream out(file);
    out << R"(<Portsight><Statistics>
      <Statistic Name="TRAFFIC IN" MIB="ifInOctets" Counter="yes" Parser="traffic" />
    </Statistics></Portsight>)";
  }
  StatisticTemplates::SetFileOverride(file.string());
  const auto templates = Create("Linkwatch.StatisticTemplates").As<StatisticTemplates>();
  StatisticTemplates::SetFileOverride("");
  std::filesystem::remove(file);

  ASSERT_NE(templates, nullptr);
  EXPECT_NE(templates, Globals::Templates());
  EXPECT_EQ(templates->StatisticsFile(), file.string());
  ASSERT_EQ(templates->Count(), 1);
  EXPECT_NE(templates->Item("traffic in")->OID(), nullptr);
}

TEST_F(ClassRegistryTest, OnlyRegisteredClassesAreCreated) {
  ClassRegistry fresh;
  EXPECT_TRUE(fresh.RegisteredDescriptions().empty());
  const ClassRegistry::Creation refused = fresh.Create("Linkwatch.Statistic");
  EXPECT_FALSE(refused);
  EXPECT_EQ(refused.error, "Class \"Linkwatch.Statistic\" is not registered");

  fresh.Register();
  fresh.Register();  // registering again changes nothing
  EXPECT_EQ(fresh.RegisteredDescriptions().size(), 9u);
  // The process's registry, which hosts use, serves the same classes.
  EXPECT_EQ(ClassRegistry::Shared().RegisteredDescriptions(), fresh.RegisteredDescriptions());
  EXPECT_TRUE(fresh.IsRegistered("LINKWATCH.CHILD"));
  ClassRegistry::Creation made = fresh.Create("Linkwatch.Statistic");
  ASSERT_TRUE(made) << made.error;

  // Unregistering stops new objects; the one made stays alive and counted.
  fresh.Unregister();
  EXPECT_FALSE(fresh.IsRegistered("Linkwatch.Statistic"));
  EXPECT_FALSE(fresh.Create("Linkwatch.Statistic"));
  EXPECT_EQ(fresh.LiveObjectCount(), 1);
  EXPECT_FALSE(fresh.CanUnload());
  made.object = ServerObject();
  EXPECT_TRUE(fresh.CanUnload());
}

TEST_F(ClassRegistryTest, ObjectsOutlivingTheirRegistryStayValid) {
  std::shared_ptr<Interfaces> kept;
  {
    ClassRegistry shortLived;
    shortLived.Register();
    kept = shortLived.Create("Linkwatch.Interfaces").object.As<Interfaces>();
  }
  ASSERT_NE(kept, nullptr);
  kept->Add(1);
  EXPECT_EQ(kept->Count(), 1);
  kept.reset();  // ends without its registry
}

// A control needs the thread's platform: without one the creation fails with the
// reason and nothing is left counted.
TEST(ClassRegistryWithoutPlatformTest, ControlCreationFailsClearly) {
  Globals::Reset();
  ClassRegistry registry;
  registry.Register();
  const ClassRegistry::Creation made = registry.Create("Linkwatch.InterfaceList");
  EXPECT_FALSE(made);
  EXPECT_NE(made.error.find("Could not create \"Linkwatch.InterfaceList\": "), std::string::npos)
      << made.error;
  EXPECT_NE(made.error.find("no platform installed"), std::string::npos) << made.error;
  EXPECT_EQ(registry.LiveObjectCount(), 0);
  EXPECT_TRUE(registry.CanUnload());

  // Classes that need no platform are still made.
  EXPECT_TRUE(registry.Create("Linkwatch.Interfaces"));
}

}  // namespace
}  // namespace linkwatch
