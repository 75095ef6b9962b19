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

TEST(TypeLibraryTest, DescribeGivesTheSameReadableTextEveryTime) {
  const std::string text = Library().Describe();
  EXPECT_EQ(text, Library().Describe());
  EXPECT_EQ(text.rfind("library OSTLNK9 (9 classes)\n\ncontrol InterfaceList "
                       "\"Linkwatch.InterfaceList\"\n  get     Active As Boolean\n",
                       0),
            0u);
  // A collection's block marks its default and hidden members; the walk step's
  // line shows which arguments go by value and which may be left out.
  const std::string interfaces = Library().DescribeClass(ClassId::Interfaces);
  EXPECT_EQ(interfaces.rfind("class Interfaces \"Linkwatch.Interfaces\"\n", 0), 0u) << interfaces;
  EXPECT_NE(interfaces.find("  get     Item(Key As Variant) As Interface [default]\n"
                            "  get     Count As Long\n"),
            std::string::npos)
      << interfaces;
  EXPECT_NE(interfaces.find("  get     NewEnum As Enumerator [hidden, enumerator]\n"),
            std::string::npos)
      << interfaces;
  EXPECT_NE(text.find("\n\n" + interfaces + "\n"), std::string::npos);
  EXPECT_NE(text.find("  method  SNMPGetNext(StatName As String, ByVal OID As String, "
                      "Optional BaseOID As String)\n"),
            std::string::npos);
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
