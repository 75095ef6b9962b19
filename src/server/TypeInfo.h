#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "server/ClassId.h"

namespace linkwatch {

// What the type library says about the classes: their members in interface order,
// with argument names and types in the host's terms (Boolean, Integer for 16 bits,
// Long for 32 bits, Single, Date, String, Variant, Picture, Object, or a class).

enum class MemberKind {
  PropertyGet,     // a property read
  PropertyPut,     // a property write of a value
  PropertyPutRef,  // a property write of an object reference
  Method,
  Event,
};

// "get", "put", "putref", "method" or "event".
std::string_view MemberKindText(MemberKind kind);

struct ArgumentInfo {
  std::string name;
  std::string type;
  bool byValue = false;  // every other argument is passed by reference
  bool optional = false;
};

struct MemberInfo {
  std::string name;
  MemberKind kind = MemberKind::Method;
  std::vector<ArgumentInfo> arguments;
  std::string result;       // the type returned; empty when nothing is
  int dispatchId = 0;       // fixed for events only (1 and up); 0 elsewhere
  bool isDefault = false;   // the class's default member (indexed access)
  bool hidden = false;      // not shown to the host's user
  bool enumerator = false;  // the member a for-each loop uses
};

struct ClassInfo {
  ClassId id = ClassId::InterfaceList;
  std::string name;
  std::string description;
  bool control = false;             // a visual control rather than a plain class
  std::vector<MemberInfo> members;  // in interface order
  std::vector<MemberInfo> events;   // in event interface order
};

}  // namespace linkwatch
