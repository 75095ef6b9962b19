// Ties the type library's member tables to the real classes: every member listed
// below is checked at compile time (a missing or renamed member, or one that can
// no longer be called with its listed arguments, stops the build), and the tests
// compare these lists, in order, with the tables the library reports.

#include <gtest/gtest.h>

#include <concepts>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "control/InterfaceList.h"
#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "model/InterfaceChildren.h"
#include "model/Interfaces.h"
#include "server/TypeLibrary.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/StatisticTemplates.h"
#include "statistics/Statistics.h"

namespace linkwatch {
namespace {

struct CheckedMember {
  std::string_view name;
  MemberKind kind;
  bool operator==(const CheckedMember&) const = default;
};

void PrintTo(const CheckedMember& member, std::ostream* out) {
  *out << MemberKindText(member.kind) << " " << member.name;
}

template <bool kCallable>
constexpr CheckedMember Checked(std::string_view name, MemberKind kind) {
  static_assert(kCallable, "a member the type library lists is missing from its class");
  return {name, kind};
}

// The requirement sees the object o and one variable of each argument type.
#define LW_MEMBER(Class, kind, name, ...)                                                  \
  Checked<requires(Class & o, std::string & s, int32_t & l, int16_t & n, bool & b,      \
                   float & f, std::shared_ptr<Interface> & itf, Interface & ifc,         \
                   PictureRef & pic) { __VA_ARGS__; }>(#name, MemberKind::kind)
#define GET(Class, name, Result) \
  LW_MEMBER(Class, PropertyGet, name, { o.name() } -> std::convertible_to<Result>)
#define PUT(Class, name, value) LW_MEMBER(Class, PropertyPut, name, o.Set##name(value))
#define GETPUT(Class, name, Result, value) GET(Class, name, Result), PUT(Class, name, value)
#define PUTREF(Class, name, value) LW_MEMBER(Class, PropertyPutRef, name, o.Set##name(value))
#define METHOD(Class, name, ...) LW_MEMBER(Class, Method, name, o.name(__VA_ARGS__))
#define EVENT(Class, name, ...) LW_MEMBER(Class, Event, name, o.name.Raise(__VA_ARGS__))
// Item and Remove take a key or a position from 1; NewEnum is the for-each range.
#define ITEM(Class) LW_MEMBER(Class, PropertyGet, Item, o.Item(s); o.Item(l))
#define REMOVE(Class) LW_MEMBER(Class, Method, Remove, o.Remove(s); o.Remove(l))
#define NEWENUM(Class) LW_MEMBER(Class, PropertyGet, NewEnum, o.begin() != o.end())

using Members = std::vector<CheckedMember>;

const Members kInterfaceListMembers = {
    GET(InterfaceList, Active, bool),
    GETPUT(InterfaceList, Target, std::string, s),
    GET(InterfaceList, IP, std::string),
    GETPUT(InterfaceList, Community, std::string, s),
    GET(InterfaceList, SNMPVersion, int16_t),
    GET(InterfaceList, SysName, std::string),
    GET(InterfaceList, SysDescr, std::string),
    GET(InterfaceList, SystemOID, std::string),
    GET(InterfaceList, SysUpTime, float),
    GET(InterfaceList, MachineType, std::string),
    GET(InterfaceList, Vendor, std::string),
    GET(InterfaceList, VendorIcon, PictureRef),
    GET(InterfaceList, LastBoot, SerialDate),
    GET(InterfaceList, SysLocation, std::string),
    GET(InterfaceList, SysContact, std::string),
    GETPUT(InterfaceList, Synchronous, bool, b),
    GET(InterfaceList, PollID, int32_t),
    GET(InterfaceList, InterfaceCount, int32_t),
    GET(InterfaceList, Interfaces, std::shared_ptr<Interfaces>),
    GET(InterfaceList, NextPoll, SerialDate),
    GETPUT(InterfaceList, RefreshInterval, int32_t, l),
    GETPUT(InterfaceList, AutoUpdate, bool, b),
    GET(InterfaceList, SecondsTillUpdate, int32_t),
    GETPUT(InterfaceList, StatisticsList, std::string, s),
    GETPUT(InterfaceList, HighColorIcons, bool, b),
    GET(InterfaceList, Background, PictureRef),
    PUTREF(InterfaceList, Background, pic),
    GET(InterfaceList, LastError, std::string),
    GET(InterfaceList, TableObject, GridSurface&),
    GET(InterfaceList, ColumnList, std::string),
    GET(InterfaceList, StatisticTemplates, std::shared_ptr<StatisticTemplates>),
    METHOD(InterfaceList, SelectedStatisticName),
    METHOD(InterfaceList, SelectedStatistic),
    METHOD(InterfaceList, SelectedInterface),
    METHOD(InterfaceList, SelectedInterfaceChild),
    METHOD(InterfaceList, StartMonitoring),
    METHOD(InterfaceList, StopMonitoring),
    METHOD(InterfaceList, Restart),
    LW_MEMBER(InterfaceList, Method, SNMPGetNext, o.SNMPGetNext(s, s, s); o.SNMPGetNext(s, s)),
    LW_MEMBER(InterfaceList, Method, Poll, o.Poll(); o.Poll(b)),
    METHOD(InterfaceList, PollStatistic, s),
    METHOD(InterfaceList, AdminEnableInterface, itf),
    METHOD(InterfaceList, AdminShutdownInterface, itf),
    METHOD(InterfaceList, GetSystemMIB),
    METHOD(InterfaceList, CopyToClipboard),
    METHOD(InterfaceList, ClearTable),
    METHOD(InterfaceList, RefreshTable),
    METHOD(InterfaceList, RefreshChildren, itf),
    METHOD(InterfaceList, HideSelectedInterfaces),
    METHOD(InterfaceList, UnHideAllInterfaces),
    METHOD(InterfaceList, RowsHidden),
    METHOD(InterfaceList, SelectAll),
    METHOD(InterfaceList, ClipSelection),
    PUT(InterfaceList, SNMPVersion, n),
    GETPUT(InterfaceList, SNMPContext, std::string, s),
    GETPUT(InterfaceList, SNMPUsername, std::string, s),
    GETPUT(InterfaceList, SNMPAuthType, int16_t, n),
    GETPUT(InterfaceList, SNMPAuthPass, std::string, s),
    GETPUT(InterfaceList, SNMPEncryptType, int16_t, n),
    GETPUT(InterfaceList, SNMPEncryptPass, std::string, s),
};

const Members kInterfaceListEvents = {
    EVENT(InterfaceList, PollTimer, b),
    EVENT(InterfaceList, Status, b),
    EVENT(InterfaceList, SystemMIBComplete),
    EVENT(InterfaceList, RearrangedColumns, l, l),
    EVENT(InterfaceList, SelectionChanged),
    EVENT(InterfaceList, MouseUp, n, n, f, f),
};

const Members kInterfaceMembers = {
    GET(Interface, Statistics, std::shared_ptr<Statistics>),
    GET(Interface, Children, std::shared_ptr<InterfaceChildren>),
    GET(Interface, Key, std::string),
    GET(Interface, Index, int32_t),
    GET(Interface, AdminStatus, int32_t),
    GET(Interface, Name, std::string),
    GET(Interface, Bandwidth, float),
    METHOD(Interface, SetStatistic, s, s, s, s),
};

const Members kInterfaceChildMembers = {
    GET(InterfaceChild, Statistics, std::shared_ptr<Statistics>),
    GET(InterfaceChild, LastUpdate, SerialDate),
    GET(InterfaceChild, Key, std::string),
    GET(InterfaceChild, Index, std::string),
    GET(InterfaceChild, Interface, std::shared_ptr<Interface>),
    GET(InterfaceChild, ChildType, std::string),
    GET(InterfaceChild, Name, std::string),
    GET(InterfaceChild, ChildIndex, std::string),
    METHOD(InterfaceChild, SetStatistic, ifc, s, s, s),
};

const Members kInterfaceChildrenMembers = {
    METHOD(InterfaceChildren, Add, ifc, s),
    METHOD(InterfaceChildren, Clear),
    ITEM(InterfaceChildren),
    GET(InterfaceChildren, Count, int32_t),
    REMOVE(InterfaceChildren),
    NEWENUM(InterfaceChildren),
    METHOD(InterfaceChildren, SetStatistic, ifc, s, s, s, s),
};

const Members kInterfacesMembers = {
    METHOD(Interfaces, Add, l),
    METHOD(Interfaces, Clear),
    ITEM(Interfaces),
    GET(Interfaces, Count, int32_t),
    REMOVE(Interfaces),
    NEWENUM(Interfaces),
    METHOD(Interfaces, SetStatistic, l, s, s, s, s),
    METHOD(Interfaces, SetAdminStatus, l, l),
    METHOD(Interfaces, SetName, l, s),
    METHOD(Interfaces, SetBandwidth, l, f),
};

const Members kStatisticMembers = {
    GET(Statistic, Name, std::string),
    GET(Statistic, StatisticTemplate, StatisticTemplateRef),
    GET(Statistic, StatName, std::string),
    GET(Statistic, MIB, std::string),
    GET(Statistic, OID, std::shared_ptr<const MibObject>),
    GET(Statistic, Description, std::string),
    GET(Statistic, CurrentValue, double),
    GET(Statistic, ParsedValue, std::string),
    GET(Statistic, Baselining, bool),
    GET(Statistic, Icon, PictureRef),
    METHOD(Statistic, IsIcon),
    METHOD(Statistic, IsCheckBox),
    METHOD(Statistic, CheckBoxValue),
};

const Members kStatisticsMembers = {
    ITEM(Statistics),
    GET(Statistics, Count, int32_t),
    REMOVE(Statistics),
    NEWENUM(Statistics),
    METHOD(Statistics, SetStatistic, &ifc, s, s, s, s),
};

const Members kStatisticTemplateMembers = {
    GET(StatisticTemplate, Group, std::string),
    GET(StatisticTemplate, MIB, std::string),
    GET(StatisticTemplate, OID, std::shared_ptr<const MibObject>),
    GET(StatisticTemplate, StatName, std::string),
    GET(StatisticTemplate, Header, std::string),
    GET(StatisticTemplate, Parser, std::string),
    GET(StatisticTemplate, CheckBox, bool),
    GET(StatisticTemplate, Units, std::string),
    GET(StatisticTemplate, Description, std::string),
    GET(StatisticTemplate, Counter, bool),
    GET(StatisticTemplate, CustomSort, bool),
    GET(StatisticTemplate, Child, std::string),
    GET(StatisticTemplate, Graphable, bool),
};

const Members kStatisticTemplatesMembers = {
    METHOD(StatisticTemplates, Refresh),
    METHOD(StatisticTemplates, Clear),
    ITEM(StatisticTemplates),
    GET(StatisticTemplates, Count, int32_t),
    REMOVE(StatisticTemplates),
    NEWENUM(StatisticTemplates),
    GET(StatisticTemplates, StatisticsFile, std::string),
};

Members Listed(const std::vector<MemberInfo>& members) {
  Members listed;
  for (const MemberInfo& member : members) listed.push_back({member.name, member.kind});
  return listed;
}

struct ClassMembers {
  ClassId id;
  const Members* members;
  const Members* events;
};

const ClassMembers kClasses[] = {
    {ClassId::InterfaceList, &kInterfaceListMembers, &kInterfaceListEvents},
    {ClassId::Interface, &kInterfaceMembers, nullptr},
    {ClassId::InterfaceChild, &kInterfaceChildMembers, nullptr},
    {ClassId::InterfaceChildren, &kInterfaceChildrenMembers, nullptr},
    {ClassId::Interfaces, &kInterfacesMembers, nullptr},
    {ClassId::Statistic, &kStatisticMembers, nullptr},
    {ClassId::Statistics, &kStatisticsMembers, nullptr},
    {ClassId::StatisticTemplate, &kStatisticTemplateMembers, nullptr},
    {ClassId::StatisticTemplates, &kStatisticTemplatesMembers, nullptr},
};

class TypeLibraryMembersTest : public ::testing::TestWithParam<ClassMembers> {};

// The table lists exactly the checked members, in the same order and kinds.
TEST_P(TypeLibraryMembersTest, TableMatchesTheCheckedMembersOfTheClass) {
  const ClassInfo& info = TypeLibrary::Instance().Class(GetParam().id);
  const Members listed = Listed(info.members);
  ASSERT_EQ(listed.size(), GetParam().members->size()) << info.name;
  for (std::size_t i = 0; i < listed.size(); ++i) {
    EXPECT_EQ(listed[i], (*GetParam().members)[i]) << info.name << " member " << i + 1 << " is "
                                                    << listed[i].name;
  }
  const Members noEvents;
  EXPECT_EQ(Listed(info.events), GetParam().events ? *GetParam().events : noEvents) << info.name;
}

INSTANTIATE_TEST_SUITE_P(EveryClass, TypeLibraryMembersTest, ::testing::ValuesIn(kClasses),
                         [](const ::testing::TestParamInfo<ClassMembers>& param) {
                           return std::string(ClassName(param.param.id));
                         });

}  // namespace
}  // namespace linkwatch
