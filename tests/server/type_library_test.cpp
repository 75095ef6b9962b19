#include "server/TypeLibrary.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace linkwatch {
namespace {

const TypeLibrary& Library() { return TypeLibrary::Instance(); }

// The classes' descriptions are checked where hosts meet them, in the registry's
// tests; here what sets the control apart.
TEST(TypeLibraryTest, OnlyTheControlIsVisualAndRaisesEvents) {
  EXPECT_EQ(Library().Name(), "OSTLNK9");
  ASSERT_EQ(Library().Classes().size(), 9u);
  for (ClassId id : kAllClasses) {
    EXPECT_EQ(Library().Class(id).id, id);
    EXPECT_EQ(Library().Class(id).control, id == ClassId::InterfaceList);
    EXPECT_EQ(Library().Class(id).events.empty(), id != ClassId::InterfaceList);
  }
}

TEST(TypeLibraryTest, FindsClassesByNameOrDescriptionInAnyLetterCase) {
  ASSERT_NE(Library().FindClass("linkwatch.child"), nullptr);
  EXPECT_EQ(Library().FindClass("linkwatch.child")->id, ClassId::InterfaceChild);
  ASSERT_NE(Library().FindClass("INTERFACECHILDREN"), nullptr);
  EXPECT_EQ(Library().FindClass("INTERFACECHILDREN")->id, ClassId::InterfaceChildren);
  EXPECT_EQ(Library().FindClass("Linkwatch.InterfaceChild"), nullptr);
  EXPECT_EQ(Library().FindClass(""), nullptr);
  EXPECT_EQ(Library().FindClass("Linkwatch.Gadget"), nullptr);
}

TEST(TypeLibraryTest, OnlyTheControlsSixEventsCarryDispatchIdsOneToSix) {
  const std::vector<MemberInfo>& events = Library().Class(ClassId::InterfaceList).events;
  ASSERT_EQ(events.size(), 6u);
  for (std::size_t i = 0; i < events.size(); ++i) {
    EXPECT_EQ(events[i].dispatchId, static_cast<int>(i) + 1) << events[i].name;
  }
  for (const ClassInfo& info : Library().Classes()) {
    for (const MemberInfo& member : info.members) {
      EXPECT_EQ(member.dispatchId, 0) << info.name << "." << member.name;
    }
  }
}

// Arguments go by reference except the OID of a walk step; the walk's base OID
// and the first-poll flag may be left out.
TEST(TypeLibraryTest, OnlyTheWalkStepsOidIsPassedByValue) {
  std::vector<std::string> byValue;
  std::vector<std::string> optional;
  for (const ClassInfo& info : Library().Classes()) {
    for (const MemberInfo& member : info.members) {
      for (const ArgumentInfo& argument : member.arguments) {
        const std::string where = info.name + "." + member.name + "." + argument.name;
        if (argument.byValue) byValue.push_back(where);
        if (argument.optional) optional.push_back(where);
      }
    }
  }
  EXPECT_EQ(byValue, std::vector<std::string>{"InterfaceList.SNMPGetNext.OID"});
  EXPECT_EQ(optional, (std::vector<std::string>{"InterfaceList.SNMPGetNext.BaseOID",
                                                "InterfaceList.Poll.FirstTime"}));
  const MemberInfo* walkStep = nullptr;
  for (const MemberInfo& member : Library().Class(ClassId::InterfaceList).members) {
    if (member.name == "SNMPGetNext") walkStep = &member;
  }
  ASSERT_NE(walkStep, nullptr);
  EXPECT_EQ(TypeLibrary::DescribeMember(*walkStep),
            "method  SNMPGetNext(StatName As String, ByVal OID As String, "
            "Optional BaseOID As String)");
}

// Every collection can be iterated through a hidden enumeration member; only
// Interfaces makes Item its default member.
TEST(TypeLibraryTest, CollectionsEnumerateAndOnlyInterfacesHasADefaultItem) {
  std::vector<std::string> enumerable;
  std::vector<std::string> defaults;
  for (const ClassInfo& info : Library().Classes()) {
    for (const MemberInfo& member : info.members) {
      if (member.enumerator) {
        EXPECT_TRUE(member.hidden) << info.name;
        EXPECT_EQ(member.name, "NewEnum");
        enumerable.push_back(info.name);
      }
      if (member.isDefault) defaults.push_back(info.name + "." + member.name);
    }
  }
  EXPECT_EQ(enumerable, (std::vector<std::string>{"InterfaceChildren", "Interfaces",
                                                  "Statistics", "StatisticTemplates"}));
  EXPECT_EQ(defaults, std::vector<std::string>{"Interfaces.Item"});
}

TEST(TypeLibraryTest, DescribeGivesTheSameReadableTextEveryTime) {
  const std::string text = Library().Describe();
  EXPECT_EQ(text, Library().Describe());
  EXPECT_EQ(text.rfind("library OSTLNK9 (9 classes)\n\ncontrol InterfaceList "
                       "\"Linkwatch.InterfaceList\"\n  get     Active As Boolean\n",
                       0),
            0u);
  const std::string interfaces =
      "class Interfaces \"Linkwatch.Interfaces\"\n"
      "  method  Add(ifIndex As Long) As Interface\n"
      "  method  Clear()\n"
      "  get     Item(Key As Variant) As Interface [default]\n"
      "  get     Count As Long\n"
      "  method  Remove(Key As Variant)\n"
      "  get     NewEnum As Enumerator [hidden, enumerator]\n"
      "  method  SetStatistic(ifIndex As Long, ChildIndex As String, StatName As String, "
      "Value As String, HexVal As String)\n"
      "  method  SetAdminStatus(ifIndex As Long, Status As Long)\n"
      "  method  SetName(ifIndex As Long, ifDescr As String)\n"
      "  method  SetBandwidth(ifIndex As Long, Bandwidth As Single)\n";
  EXPECT_EQ(Library().DescribeClass(ClassId::Interfaces), interfaces);
  EXPECT_NE(text.find("\n\n" + interfaces + "\n"), std::string::npos);
  // The control's events close its block.
  EXPECT_NE(text.find("  put     SNMPEncryptPass(Pass As String)\n"
                      "  event 1 PollTimer(AutoUpdate As Boolean)\n"),
            std::string::npos);
  // The text ends with the last class's last member.
  const std::string ending = "  get     StatisticsFile As String\n";
  EXPECT_EQ(text.substr(text.size() - ending.size()), ending);
}

}  // namespace
}  // namespace linkwatch
