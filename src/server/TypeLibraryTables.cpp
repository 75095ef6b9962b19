// The member tables of the type library: every public member of the nine classes
// in the order of its class's interface. This is the one place they are written
// down, and each entry is compiled against the class it describes: a member that is
// missing, renamed, or no longer callable with the arguments listed stops the build.

#include <concepts>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>

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

using Arguments = std::vector<ArgumentInfo>;

ArgumentInfo Arg(std::string name, std::string type) {
  return {std::move(name), std::move(type), false, false};
}
ArgumentInfo ByVal(std::string name, std::string type) {
  return {std::move(name), std::move(type), true, false};
}
ArgumentInfo Optional(std::string name, std::string type) {
  return {std::move(name), std::move(type), false, true};
}

MemberInfo Get(std::string name, std::string type, Arguments arguments = {}) {
  return {std::move(name), MemberKind::PropertyGet, std::move(arguments), std::move(type)};
}
MemberInfo Put(std::string name, ArgumentInfo value) {
  return {std::move(name), MemberKind::PropertyPut, {std::move(value)}, {}};
}
MemberInfo PutRef(std::string name, ArgumentInfo reference) {
  return {std::move(name), MemberKind::PropertyPutRef, {std::move(reference)}, {}};
}
MemberInfo Method(std::string name, Arguments arguments = {}, std::string result = {}) {
  return {std::move(name), MemberKind::Method, std::move(arguments), std::move(result)};
}
MemberInfo Event(int dispatchId, std::string name, Arguments arguments = {}) {
  MemberInfo event{std::move(name), MemberKind::Event, std::move(arguments), {}};
  event.dispatchId = dispatchId;
  return event;
}

// The collections' indexed access and for-each enumeration.
MemberInfo DefaultItem(MemberInfo item) {
  item.isDefault = true;
  return item;
}
MemberInfo NewEnum() {
  MemberInfo member = Get("NewEnum", "Enumerator");
  member.hidden = true;
  member.enumerator = true;
  return member;
}

template <bool kCallable>
MemberInfo Checked(MemberInfo member) {
  static_assert(kCallable, "a member the type library lists is missing from its class");
  return member;
}

// CHECKED(entry, call) is the entry, once `call` compiles against an object o of the
// class being described (`Described`, set in each table) and one variable of each
// argument type: s, l (32 bits), n (16 bits), b, f, itf (an interface reference),
// ifc (an interface) and pic. GET and PUT are the common shapes: a property read
// whose value converts to Result, and a property write Set<Name>(value).
#define CHECKED(entry, ...)                                                                \
  Checked<requires(Described & o, std::string & s, int32_t & l, int16_t & n, bool & b,  \
                   float & f, std::shared_ptr<Interface> & itf, Interface & ifc,         \
                   PictureRef & pic) { __VA_ARGS__; }>(entry)
#define GET(name, type, Result) \
  CHECKED(Get(#name, type), { o.name() } -> std::convertible_to<Result>)
#define PUT(name, argument, type, value) CHECKED(Put(#name, Arg(argument, type)), o.Set##name(value))
#define METHOD(name, call, ...) CHECKED(Method(#name __VA_OPT__(, ) __VA_ARGS__), o.name call)
#define EVENT(id, name, call, ...) \
  CHECKED(Event(id, #name __VA_OPT__(, ) __VA_ARGS__), o.name.Raise call)
// Item and Remove take a key or a position from 1; NewEnum is the for-each range.
#define ITEM_CHECK o.Item(s); o.Item(l)
#define REMOVE_CHECK o.Remove(s); o.Remove(l)
#define NEWENUM() CHECKED(NewEnum(), o.begin() != o.end())

ClassInfo Describe(ClassId id, std::vector<MemberInfo> members,
                   std::vector<MemberInfo> events = {}) {
  ClassInfo info;
  info.id = id;
  info.name = std::string(ClassName(id));
  info.description = std::string(ClassDescription(id));
  info.control = !events.empty();
  info.members = std::move(members);
  info.events = std::move(events);
  return info;
}

ClassInfo InterfaceListClass() {
  using Described = InterfaceList;
  return Describe(
      ClassId::InterfaceList,
      {
          GET(Active, "Boolean", bool),
          GET(Target, "String", std::string),
          PUT(Target, "HostName", "String", s),
          GET(IP, "String", std::string),
          GET(Community, "String", std::string),
          PUT(Community, "SNMP", "String", s),
          GET(SNMPVersion, "Integer", int16_t),
          GET(SysName, "String", std::string),
          GET(SysDescr, "String", std::string),
          GET(SystemOID, "String", std::string),
          GET(SysUpTime, "Single", float),
          GET(MachineType, "String", std::string),
          GET(Vendor, "String", std::string),
          GET(VendorIcon, "Picture", PictureRef),
          GET(LastBoot, "Date", SerialDate),
          GET(SysLocation, "String", std::string),
          GET(SysContact, "String", std::string),
          GET(Synchronous, "Boolean", bool),
          PUT(Synchronous, "Setting", "Boolean", b),
          GET(PollID, "Long", int32_t),
          GET(InterfaceCount, "Long", int32_t),
          GET(Interfaces, "Interfaces", std::shared_ptr<Interfaces>),
          GET(NextPoll, "Date", SerialDate),
          GET(RefreshInterval, "Long", int32_t),
          PUT(RefreshInterval, "Seconds", "Long", l),
          GET(AutoUpdate, "Boolean", bool),
          PUT(AutoUpdate, "Setting", "Boolean", b),
          GET(SecondsTillUpdate, "Long", int32_t),
          GET(StatisticsList, "String", std::string),
          PUT(StatisticsList, "List", "String", s),
          GET(HighColorIcons, "Boolean", bool),
          PUT(HighColorIcons, "Setting", "Boolean", b),
          GET(Background, "Picture", PictureRef),
          CHECKED(PutRef("Background", Arg("Picture", "Picture")), o.SetBackground(pic)),
          GET(LastError, "String", std::string),
          GET(TableObject, "Object", GridSurface&),
          GET(ColumnList, "String", std::string),
          GET(StatisticTemplates, "StatisticTemplates", std::shared_ptr<StatisticTemplates>),
          METHOD(SelectedStatisticName, (), {}, "String"),
          METHOD(SelectedStatistic, (), {}, "Statistic"),
          METHOD(SelectedInterface, (), {}, "Interface"),
          METHOD(SelectedInterfaceChild, (), {}, "InterfaceChild"),
          METHOD(StartMonitoring, (), {}, "Boolean"),
          METHOD(StopMonitoring, ()),
          METHOD(Restart, ()),
          CHECKED(Method("SNMPGetNext", {Arg("StatName", "String"), ByVal("OID", "String"),
                                         Optional("BaseOID", "String")}),
                  o.SNMPGetNext(s, s, s); o.SNMPGetNext(s, s)),
          CHECKED(Method("Poll", {Optional("FirstTime", "Boolean")}), o.Poll(); o.Poll(b)),
          METHOD(PollStatistic, (s), {Arg("StatName", "String")}),
          METHOD(AdminEnableInterface, (itf), {Arg("Interface", "Interface")}, "Boolean"),
          METHOD(AdminShutdownInterface, (itf), {Arg("Interface", "Interface")}, "Boolean"),
          METHOD(GetSystemMIB, ()),
          METHOD(CopyToClipboard, ()),
          METHOD(ClearTable, ()),
          METHOD(RefreshTable, ()),
          METHOD(RefreshChildren, (itf), {Arg("Interface", "Interface")}),
          METHOD(HideSelectedInterfaces, ()),
          METHOD(UnHideAllInterfaces, ()),
          METHOD(RowsHidden, (), {}, "Boolean"),
          METHOD(SelectAll, ()),
          METHOD(ClipSelection, (), {}, "String"),
          PUT(SNMPVersion, "Level", "Integer", n),
          GET(SNMPContext, "String", std::string),
          PUT(SNMPContext, "Context", "String", s),
          GET(SNMPUsername, "String", std::string),
          PUT(SNMPUsername, "UserName", "String", s),
          GET(SNMPAuthType, "Integer", int16_t),
          PUT(SNMPAuthType, "AuthType", "Integer", n),
          GET(SNMPAuthPass, "String", std::string),
          PUT(SNMPAuthPass, "Pass", "String", s),
          GET(SNMPEncryptType, "Integer", int16_t),
          PUT(SNMPEncryptType, "EncryptType", "Integer", n),
          GET(SNMPEncryptPass, "String", std::string),
          PUT(SNMPEncryptPass, "Pass", "String", s),
      },
      {
          EVENT(1, PollTimer, (b), {Arg("AutoUpdate", "Boolean")}),
          EVENT(2, Status, (b), {Arg("Active", "Boolean")}),
          EVENT(3, SystemMIBComplete, ()),
          EVENT(4, RearrangedColumns, (l, l), {Arg("Col", "Long"), Arg("Position", "Long")}),
          EVENT(5, SelectionChanged, ()),
          EVENT(6, MouseUp, (n, n, f, f), {Arg("Button", "Integer"), Arg("Shift", "Integer"),
                                           Arg("x", "Single"), Arg("y", "Single")}),
      });
}

ClassInfo InterfaceClass() {
  using Described = Interface;
  return Describe(ClassId::Interface,
                  {
                      GET(Statistics, "Statistics", std::shared_ptr<Statistics>),
                      GET(Children, "InterfaceChildren", std::shared_ptr<InterfaceChildren>),
                      GET(Key, "String", std::string),
                      GET(Index, "Long", int32_t),
                      GET(AdminStatus, "Long", int32_t),
                      GET(Name, "String", std::string),
                      GET(Bandwidth, "Single", float),
                      METHOD(SetStatistic, (s, s, s, s),
                             {Arg("ChildIndex", "String"), Arg("StatName", "String"),
                              Arg("Value", "String"), Arg("HexVal", "String")}),
                  });
}

ClassInfo InterfaceChildClass() {
  using Described = InterfaceChild;
  return Describe(ClassId::InterfaceChild,
                  {
                      GET(Statistics, "Statistics", std::shared_ptr<Statistics>),
                      GET(LastUpdate, "Date", SerialDate),
                      GET(Key, "String", std::string),
                      GET(Index, "String", std::string),
                      GET(Interface, "Interface", std::shared_ptr<Interface>),
                      GET(ChildType, "String", std::string),
                      GET(Name, "String", std::string),
                      GET(ChildIndex, "String", std::string),
                      METHOD(SetStatistic, (ifc, s, s, s),
                             {Arg("Interface", "Interface"), Arg("StatName", "String"),
                              Arg("Value", "String"), Arg("HexVal", "String")}),
                  });
}

ClassInfo InterfaceChildrenClass() {
  using Described = InterfaceChildren;
  return Describe(
      ClassId::InterfaceChildren,
      {
          METHOD(Add, (ifc, s), {Arg("Interface", "Interface"), Arg("ChildIndex", "String")},
                 "InterfaceChild"),
          METHOD(Clear, ()),
          CHECKED(Get("Item", "InterfaceChild", {Arg("Key", "Variant")}), ITEM_CHECK),
          GET(Count, "Long", int32_t),
          CHECKED(Method("Remove", {Arg("Key", "Variant")}), REMOVE_CHECK),
          NEWENUM(),
          METHOD(SetStatistic, (ifc, s, s, s, s),
                 {Arg("Interface", "Interface"), Arg("ChildIndex", "String"),
                  Arg("StatName", "String"), Arg("Value", "String"), Arg("HexVal", "String")}),
      });
}

ClassInfo InterfacesClass() {
  using Described = Interfaces;
  return Describe(
      ClassId::Interfaces,
      {
          METHOD(Add, (l), {Arg("ifIndex", "Long")}, "Interface"),
          METHOD(Clear, ()),
          CHECKED(DefaultItem(Get("Item", "Interface", {Arg("Key", "Variant")})), ITEM_CHECK),
          GET(Count, "Long", int32_t),
          CHECKED(Method("Remove", {Arg("Key", "Variant")}), REMOVE_CHECK),
          NEWENUM(),
          METHOD(SetStatistic, (l, s, s, s, s),
                 {Arg("ifIndex", "Long"), Arg("ChildIndex", "String"), Arg("StatName", "String"),
                  Arg("Value", "String"), Arg("HexVal", "String")}),
          METHOD(SetAdminStatus, (l, l), {Arg("ifIndex", "Long"), Arg("Status", "Long")}),
          METHOD(SetName, (l, s), {Arg("ifIndex", "Long"), Arg("ifDescr", "String")}),
          METHOD(SetBandwidth, (l, f), {Arg("ifIndex", "Long"), Arg("Bandwidth", "Single")}),
      });
}

ClassInfo StatisticClass() {
  using Described = Statistic;
  return Describe(ClassId::Statistic,
                  {
                      GET(Name, "String", std::string),
                      GET(StatisticTemplate, "StatisticTemplate", StatisticTemplateRef),
                      GET(StatName, "String", std::string),
                      GET(MIB, "String", std::string),
                      GET(OID, "MibObject", std::shared_ptr<const MibObject>),
                      GET(Description, "String", std::string),
                      GET(CurrentValue, "Variant", double),
                      GET(ParsedValue, "String", std::string),
                      GET(Baselining, "Boolean", bool),
                      GET(Icon, "Picture", PictureRef),
                      METHOD(IsIcon, (), {}, "Boolean"),
                      METHOD(IsCheckBox, (), {}, "Boolean"),
                      METHOD(CheckBoxValue, (), {}, "Integer"),
                  });
}

ClassInfo StatisticsClass() {
  using Described = Statistics;
  return Describe(
      ClassId::Statistics,
      {
          CHECKED(Get("Item", "Statistic", {Arg("StatName", "Variant")}), ITEM_CHECK),
          GET(Count, "Long", int32_t),
          CHECKED(Method("Remove", {Arg("StatName", "Variant")}), REMOVE_CHECK),
          NEWENUM(),
          METHOD(SetStatistic, (&ifc, s, s, s, s),
                 {Arg("Interface", "Interface"), Arg("ChildIndex", "String"),
                  Arg("StatName", "String"), Arg("Value", "String"), Arg("HexVal", "String")}),
      });
}

ClassInfo StatisticTemplateClass() {
  using Described = StatisticTemplate;
  return Describe(ClassId::StatisticTemplate,
                  {
                      GET(Group, "String", std::string),
                      GET(MIB, "String", std::string),
                      GET(OID, "MibObject", std::shared_ptr<const MibObject>),
                      GET(StatName, "String", std::string),
                      GET(Header, "String", std::string),
                      GET(Parser, "String", std::string),
                      GET(CheckBox, "Boolean", bool),
                      GET(Units, "String", std::string),
                      GET(Description, "String", std::string),
                      GET(Counter, "Boolean", bool),
                      GET(CustomSort, "Boolean", bool),
                      GET(Child, "String", std::string),
                      GET(Graphable, "Boolean", bool),
                  });
}

ClassInfo StatisticTemplatesClass() {
  using Described = StatisticTemplates;
  return Describe(ClassId::StatisticTemplates,
                  {
                      METHOD(Refresh, ()),
                      METHOD(Clear, ()),
                      CHECKED(Get("Item", "StatisticTemplate", {Arg("StatName", "Variant")}),
                              ITEM_CHECK),
                      GET(Count, "Long", int32_t),
                      CHECKED(Method("Remove", {Arg("StatName", "Variant")}), REMOVE_CHECK),
                      NEWENUM(),
                      GET(StatisticsFile, "String", std::string),
                  });
}

}  // namespace

std::vector<ClassInfo> TypeLibrary::BuildClasses() {
  // In the order of ClassId.
  return {InterfaceListClass(),    InterfaceClass(),  InterfaceChildClass(),
          InterfaceChildrenClass(), InterfacesClass(), StatisticClass(),
          StatisticsClass(),        StatisticTemplateClass(), StatisticTemplatesClass()};
}

}  // namespace linkwatch
