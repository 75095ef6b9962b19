#include "server/ClassId.h"

#include "common/TextFunctions.h"

namespace linkwatch {
namespace {

struct ClassNames {
  std::string_view name;
  std::string_view description;
};

// Indexed by ClassId.
constexpr std::array<ClassNames, kAllClasses.size()> kNames = {{
    {"InterfaceList", "Linkwatch.InterfaceList"},
    {"Interface", "Linkwatch.Interface"},
    {"InterfaceChild", "Linkwatch.Child"},
    {"InterfaceChildren", "Linkwatch.Children"},
    {"Interfaces", "Linkwatch.Interfaces"},
    {"Statistic", "Linkwatch.Statistic"},
    {"Statistics", "Linkwatch.Statistics"},
    {"StatisticTemplate", "Linkwatch.StatisticTemplate"},
    {"StatisticTemplates", "Linkwatch.StatisticTemplates"},
}};

const ClassNames& NamesOf(ClassId id) { return kNames.at(static_cast<std::size_t>(id)); }

}  // namespace

std::string_view ClassName(ClassId id) { return NamesOf(id).name; }

std::string_view ClassDescription(ClassId id) { return NamesOf(id).description; }

std::optional<ClassId> ClassByDescription(std::string_view description) {
  for (ClassId id : kAllClasses) {
    if (EqualsIgnoreCase(description, ClassDescription(id))) {
      return id;
    }
  }
  return std::nullopt;
}

}  // namespace linkwatch
