#pragma once
#include <array>
#include <optional>
#include <string_view>

namespace linkwatch {

// The nine classes the library serves to hosts, in the order of its type library.
enum class ClassId {
  InterfaceList,
  Interface,
  InterfaceChild,
  InterfaceChildren,
  Interfaces,
  Statistic,
  Statistics,
  StatisticTemplate,
  StatisticTemplates,
};

inline constexpr std::array<ClassId, 9> kAllClasses = {
    ClassId::InterfaceList,     ClassId::Interface,         ClassId::InterfaceChild,
    ClassId::InterfaceChildren, ClassId::Interfaces,        ClassId::Statistic,
    ClassId::Statistics,        ClassId::StatisticTemplate, ClassId::StatisticTemplates,
};

// The class's C++ (and type library) name, for example "InterfaceChild".
std::string_view ClassName(ClassId id);

// The text a host creates the class by: "Linkwatch." and the short name, which is
// "Child" for InterfaceChild, "Children" for InterfaceChildren and the class name
// otherwise.
std::string_view ClassDescription(ClassId id);

// The class with that description, letter case ignored; none for any other text.
std::optional<ClassId> ClassByDescription(std::string_view description);

}  // namespace linkwatch
