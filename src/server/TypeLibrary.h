#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "server/ClassId.h"
#include "server/TypeInfo.h"

namespace linkwatch {

// The library's type library "OSTLNK9": the nine classes with their descriptions
// and their public members in interface order (the control's events with their
// dispatch ids), for hosts and tools that list what the library offers.
// Members internal to the library are not listed.
class TypeLibrary {
 public:
  static constexpr std::string_view kName = "OSTLNK9";

  // The one type library, built on first use.
  static const TypeLibrary& Instance();

  std::string_view Name() const { return kName; }
  // In the order of ClassId.
  const std::vector<ClassInfo>& Classes() const { return classes_; }
  const ClassInfo& Class(ClassId id) const;
  // By class name ("InterfaceChild") or description ("Linkwatch.Child"), letter
  // case ignored; null when no class matches.
  const ClassInfo* FindClass(std::string_view nameOrDescription) const;

  // The whole library as text: a header line, then each class with one member per
  // line. The text depends only on the tables, so it is the same at every call.
  std::string Describe() const;
  // One class's block of that text.
  std::string DescribeClass(ClassId id) const;
  // One member's line without its indentation, for example
  // "method  SNMPGetNext(StatName As String, ByVal OID As String, Optional BaseOID As String)".
  static std::string DescribeMember(const MemberInfo& member);

 private:
  TypeLibrary();
  // The member tables (TypeLibraryTables.cpp).
  static std::vector<ClassInfo> BuildClasses();

  std::vector<ClassInfo> classes_;
};

}  // namespace linkwatch
