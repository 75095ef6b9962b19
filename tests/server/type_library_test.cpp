#include "server/TypeLibrary.h"

#include <gtest/gtest.h>

#include <vector>

namespace linkwatch {
namespace {

const TypeLibrary& Library() { return TypeLibrary::Instance(); }

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

}  // namespace
}  // namespace linkwatch
