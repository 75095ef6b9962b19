// The member tables of the type library: every public member of the nine classes
// in the order of its class's interface. This is the one place they are written
// down; tests/server checks each entry against the real classes.

#include <utility>

#include "server/TypeLibrary.h"

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
  return Describe(
      ClassId::InterfaceList,
      {
          Get("Active", "Boolean"),
          Get("Target", "String"),
          Put("Target", Arg("HostName", "String")),
          Get("IP", "String"),
          Get("Community", "String"),
          Put("Community", Arg("SNMP", "String")),
          Get("SNMPVersion", "Integer"),
          Get("SysName", "String"),
          Get("SysDescr", "String"),
          Get("SystemOID", "String"),
          Get("SysUpTime", "Single"),
          Get("MachineType", "String"),
          Get("Vendor", "String"),
          Get("VendorIcon", "Picture"),
          Get("LastBoot", "Date"),
          Get("SysLocation", "String"),
          Get("SysContact", "String"),
          Get("Synchronous", "Boolean"),
          Put("Synchronous", Arg("Setting", "Boolean")),
          Get("PollID", "Long"),
          Get("InterfaceCount", "Long"),
          Get("Interfaces", "Interfaces"),
          Get("NextPoll", "Date"),
          Get("RefreshInterval", "Long"),
          Put("RefreshInterval", Arg("Seconds", "Long")),
          Get("AutoUpdate", "Boolean"),
          Put("AutoUpdate", Arg("Setting", "Boolean")),
          Get("SecondsTillUpdate", "Long"),
          Get("StatisticsList", "String"),
          Put("StatisticsList", Arg("List", "String")),
          Get("HighColorIcons", "Boolean"),
          Put("HighColorIcons", Arg("Setting", "Boolean")),
          Get("Background", "Picture"),
          PutRef("Background", Arg("Picture", "Picture")),
          Get("LastError", "String"),
          Get("TableObject", "Object"),
          Get("ColumnList", "String"),
          Get("StatisticTemplates", "StatisticTemplates"),
          Method("SelectedStatisticName", {}, "String"),
          Method("SelectedStatistic", {}, "Statistic"),
          Method("SelectedInterface", {}, "Interface"),
          Method("SelectedInterfaceChild", {}, "InterfaceChild"),
          Method("StartMonitoring", {}, "Boolean"),
          Method("StopMonitoring"),
          Method("Restart"),
          Method("SNMPGetNext", {Arg("StatName", "String"), ByVal("OID", "String"),
                                 Optional("BaseOID", "String")}),
          Method("Poll", {Optional("FirstTime", "Boolean")}),
          Method("PollStatistic", {Arg("StatName", "String")}),
          Method("AdminEnableInterface", {Arg("Interface", "Interface")}, "Boolean"),
          Method("AdminShutdownInterface", {Arg("Interface", "Interface")}, "Boolean"),
          Method("GetSystemMIB"),
          Method("CopyToClipboard"),
          Method("ClearTable"),
          Method("RefreshTable"),
          Method("RefreshChildren", {Arg("Interface", "Interface")}),
          Method("HideSelectedInterfaces"),
          Method("UnHideAllInterfaces"),
          Method("RowsHidden", {}, "Boolean"),
          Method("SelectAll"),
          Method("ClipSelection", {}, "String"),
          Put("SNMPVersion", Arg("Level", "Integer")),
          Get("SNMPContext", "String"),
          Put("SNMPContext", Arg("Context", "String")),
          Get("SNMPUsername", "String"),
          Put("SNMPUsername", Arg("UserName", "String")),
          Get("SNMPAuthType", "Integer"),
          Put("SNMPAuthType", Arg("AuthType", "Integer")),
          Get("SNMPAuthPass", "String"),
          Put("SNMPAuthPass", Arg("Pass", "String")),
          Get("SNMPEncryptType", "Integer"),
          Put("SNMPEncryptType", Arg("EncryptType", "Integer")),
          Get("SNMPEncryptPass", "String"),
          Put("SNMPEncryptPass", Arg("Pass", "String")),
      },
      {
          Event(1, "PollTimer", {Arg("AutoUpdate", "Boolean")}),
          Event(2, "Status", {Arg("Active", "Boolean")}),
          Event(3, "SystemMIBComplete"),
          Event(4, "RearrangedColumns", {Arg("Col", "Long"), Arg("Position", "Long")}),
          Event(5, "SelectionChanged"),
          Event(6, "MouseUp", {Arg("Button", "Integer"), Arg("Shift", "Integer"),
                               Arg("x", "Single"), Arg("y", "Single")}),
      });
}

ClassInfo InterfaceClass() {
  return Describe(ClassId::Interface,
                  {
                      Get("Statistics", "Statistics"),
                      Get("Children", "InterfaceChildren"),
                      Get("Key", "String"),
                      Get("Index", "Long"),
                      Get("AdminStatus", "Long"),
                      Get("Name", "String"),
                      Get("Bandwidth", "Single"),
                      Method("SetStatistic", {Arg("ChildIndex", "String"),
                                              Arg("StatName", "String"), Arg("Value", "String"),
                                              Arg("HexVal", "String")}),
                  });
}

ClassInfo InterfaceChildClass() {
  return Describe(ClassId::InterfaceChild,
                  {
                      Get("Statistics", "Statistics"),
                      Get("LastUpdate", "Date"),
                      Get("Key", "String"),
                      Get("Index", "String"),
                      Get("Interface", "Interface"),
                      Get("ChildType", "String"),
                      Get("Name", "String"),
                      Get("ChildIndex", "String"),
                      Method("SetStatistic", {Arg("Interface", "Interface"),
                                              Arg("StatName", "String"), Arg("Value", "String"),
                                              Arg("HexVal", "String")}),
                  });
}

ClassInfo InterfaceChildrenClass() {
  return Describe(
      ClassId::InterfaceChildren,
      {
          Method("Add", {Arg("Interface", "Interface"), Arg("ChildIndex", "String")},
                 "InterfaceChild"),
          Method("Clear"),
          Get("Item", "InterfaceChild", {Arg("Key", "Variant")}),
          Get("Count", "Long"),
          Method("Remove", {Arg("Key", "Variant")}),
          NewEnum(),
          Method("SetStatistic", {Arg("Interface", "Interface"), Arg("ChildIndex", "String"),
                                  Arg("StatName", "String"), Arg("Value", "String"),
                                  Arg("HexVal", "String")}),
      });
}

ClassInfo InterfacesClass() {
  return Describe(
      ClassId::Interfaces,
      {
          Method("Add", {Arg("ifIndex", "Long")}, "Interface"),
          Method("Clear"),
          DefaultItem(Get("Item", "Interface", {Arg("Key", "Variant")})),
          Get("Count", "Long"),
          Method("Remove", {Arg("Key", "Variant")}),
          NewEnum(),
          Method("SetStatistic", {Arg("ifIndex", "Long"), Arg("ChildIndex", "String"),
                                  Arg("StatName", "String"), Arg("Value", "String"),
                                  Arg("HexVal", "String")}),
          Method("SetAdminStatus", {Arg("ifIndex", "Long"), Arg("Status", "Long")}),
          Method("SetName", {Arg("ifIndex", "Long"), Arg("ifDescr", "String")}),
          Method("SetBandwidth", {Arg("ifIndex", "Long"), Arg("Bandwidth", "Single")}),
      });
}

ClassInfo StatisticClass() {
  return Describe(ClassId::Statistic,
                  {
                      Get("Name", "String"),
                      Get("StatisticTemplate", "StatisticTemplate"),
                      Get("StatName", "String"),
                      Get("MIB", "String"),
                      Get("OID", "MibObject"),
                      Get("Description", "String"),
                      Get("CurrentValue", "Variant"),
                      Get("ParsedValue", "String"),
                      Get("Baselining", "Boolean"),
                      Get("Icon", "Picture"),
                      Method("IsIcon", {}, "Boolean"),
                      Method("IsCheckBox", {}, "Boolean"),
                      Method("CheckBoxValue", {}, "Integer"),
                  });
}

ClassInfo StatisticsClass() {
  return Describe(
      ClassId::Statistics,
      {
          Get("Item", "Statistic", {Arg("StatName", "Variant")}),
          Get("Count", "Long"),
          Method("Remove", {Arg("StatName", "Variant")}),
          NewEnum(),
          Method("SetStatistic", {Arg("Interface", "Interface"), Arg("ChildIndex", "String"),
                                  Arg("StatName", "String"), Arg("Value", "String"),
                                  Arg("HexVal", "String")}),
      });
}

ClassInfo StatisticTemplateClass() {
  return Describe(ClassId::StatisticTemplate,
                  {
                      Get("Group", "String"),
                      Get("MIB", "String"),
                      Get("OID", "MibObject"),
                      Get("StatName", "String"),
                      Get("Header", "String"),
                      Get("Parser", "String"),
                      Get("CheckBox", "Boolean"),
                      Get("Units", "String"),
                      Get("Description", "String"),
                      Get("Counter", "Boolean"),
                      Get("CustomSort", "Boolean"),
                      Get("Child", "String"),
                      Get("Graphable", "Boolean"),
                  });
}

ClassInfo StatisticTemplatesClass() {
  return Describe(ClassId::StatisticTemplates,
                  {
                      Method("Refresh"),
                      Method("Clear"),
                      Get("Item", "StatisticTemplate", {Arg("StatName", "Variant")}),
                      Get("Count", "Long"),
                      Method("Remove", {Arg("StatName", "Variant")}),
                      NewEnum(),
                      Get("StatisticsFile", "String"),
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
