#include "server/TypeLibrary.h"

#include <algorithm>
#include <stdexcept>

#include "common/TextFunctions.h"

namespace linkwatch {
namespace {

// Member lines start with the kind padded to this width.
constexpr std::size_t kKindColumn = 8;

std::string ArgumentText(const ArgumentInfo& argument) {
  std::string text;
  if (argument.optional) text += "Optional ";
  if (argument.byValue) text += "ByVal ";
  return text + argument.name + " As " + argument.type;
}

std::string Attributes(const MemberInfo& member) {
  std::vector<std::string> attributes;
  if (member.isDefault) attributes.emplace_back("default");
  if (member.hidden) attributes.emplace_back("hidden");
  if (member.enumerator) attributes.emplace_back("enumerator");
  if (attributes.empty()) return {};
  std::string text = " [";
  for (std::size_t i = 0; i < attributes.size(); ++i) {
    text += (i == 0 ? "" : ", ") + attributes[i];
  }
  return text + "]";
}

}  // namespace

std::string_view MemberKindText(MemberKind kind) {
  switch (kind) {
    case MemberKind::PropertyGet:
      return "get";
    case MemberKind::PropertyPut:
      return "put";
    case MemberKind::PropertyPutRef:
      return "putref";
    case MemberKind::Method:
      return "method";
    case MemberKind::Event:
      return "event";
  }
  return "?";
}

const TypeLibrary& TypeLibrary::Instance() {
  static const TypeLibrary library;
  return library;
}

TypeLibrary::TypeLibrary() : classes_(BuildClasses()) {
  for (std::size_t i = 0; i < classes_.size(); ++i) {
    if (classes_[i].id != static_cast<ClassId>(i)) {
      throw std::logic_error("type library classes out of order at " + classes_[i].name);
    }
  }
}

const ClassInfo& TypeLibrary::Class(ClassId id) const {
  return classes_.at(static_cast<std::size_t>(id));
}

const ClassInfo* TypeLibrary::FindClass(std::string_view nameOrDescription) const {
  for (const ClassInfo& info : classes_) {
    if (EqualsIgnoreCase(info.name, nameOrDescription) ||
        EqualsIgnoreCase(info.description, nameOrDescription)) {
      return &info;
    }
  }
  return nullptr;
}

std::string TypeLibrary::DescribeMember(const MemberInfo& member) {
  std::string kind(MemberKindText(member.kind));
  if (member.kind == MemberKind::Event) kind += " " + std::to_string(member.dispatchId);
  kind.resize(std::max(kind.size() + 1, kKindColumn), ' ');

  std::string text = kind + member.name;
  // A property read without arguments reads as a plain name; every other member
  // shows its argument list, empty or not.
  if (member.kind != MemberKind::PropertyGet || !member.arguments.empty()) {
    text += "(";
    for (std::size_t i = 0; i < member.arguments.size(); ++i) {
      text += (i == 0 ? "" : ", ") + ArgumentText(member.arguments[i]);
    }
    text += ")";
  }
  if (!member.result.empty()) text += " As " + member.result;
  return text + Attributes(member);
}

std::string TypeLibrary::DescribeClass(ClassId id) const {
  const ClassInfo& info = Class(id);
  std::string text = std::string(info.control ? "control " : "class ") + info.name + " \"" +
                     info.description + "\"\n";
  for (const MemberInfo& member : info.members) {
    text += "  " + DescribeMember(member) + "\n";
  }
  for (const MemberInfo& event : info.events) {
    text += "  " + DescribeMember(event) + "\n";
  }
  return text;
}

std::string TypeLibrary::Describe() const {
  std::string text = "library " + std::string(kName) + " (" + std::to_string(classes_.size()) +
                     " classes)\n";
  for (const ClassInfo& info : classes_) {
    text += "\n" + DescribeClass(info.id);
  }
  return text;
}

}  // namespace linkwatch
