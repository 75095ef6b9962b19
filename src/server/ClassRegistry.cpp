#include "server/ClassRegistry.h"

#include <algorithm>
#include <exception>

#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "model/InterfaceChildren.h"
#include "model/Interfaces.h"
#include "statistics/Statistic.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/StatisticTemplates.h"
#include "statistics/Statistics.h"

namespace linkwatch {
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

// A new collection of statistic definitions loads the statistics file at once,
// as the thread's shared one does.
std::shared_ptr<MibTree> InstalledMibs() {
  return Globals::Installed() ? Globals::GetPlatform().Mibs() : nullptr;
}

}  // namespace

ClassRegistry& ClassRegistry::Shared() {
  static ClassRegistry registry;
  static std::once_flag registered;
  std::call_once(registered, [] { registry.Register(); });
  return registry;
}

void ClassRegistry::Register() {
  std::lock_guard<std::mutex> lock(mutex_);
  registered_.assign(kAllClasses.begin(), kAllClasses.end());
}

void ClassRegistry::Unregister() {
  std::lock_guard<std::mutex> lock(mutex_);
  registered_.clear();
}

bool ClassRegistry::IsRegistered(std::string_view description) const {
  const std::optional<ClassId> id = ClassByDescription(description);
  std::lock_guard<std::mutex> lock(mutex_);
  return id && std::find(registered_.begin(), registered_.end(), *id) != registered_.end();
}

std::vector<std::string> ClassRegistry::RegisteredDescriptions() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> descriptions;
  for (ClassId id : registered_) descriptions.emplace_back(ClassDescription(id));
  return descriptions;
}

ClassRegistry::Creation ClassRegistry::Create(std::string_view description) const {
  if (description.empty()) {
    return {{}, "No class description given; expected one such as \"Linkwatch.InterfaceList\""};
  }
  const std::optional<ClassId> id = ClassByDescription(description);
  if (!id) {
    return {{}, "Unknown class description " + Quoted(description) +
                    "; the library serves \"Linkwatch.\" followed by InterfaceList, Interface, "
                    "Child, Children, Interfaces, Statistic, Statistics, StatisticTemplate or "
                    "StatisticTemplates"};
  }
  if (!IsRegistered(description)) {
    return {{}, "Class " + Quoted(ClassDescription(*id)) + " is not registered"};
  }
  try {
    return {Make(*id), {}};
  } catch (const std::exception& failure) {
    return {{}, "Could not create " + Quoted(ClassDescription(*id)) + ": " + failure.what()};
  }
}

ServerObject ClassRegistry::Make(ClassId id) const {
  switch (id) {
    case ClassId::InterfaceList:
      return ServerObject(live_.Make<InterfaceList>());
    case ClassId::Interface:
      return ServerObject(live_.Make<Interface>());
    case ClassId::InterfaceChild:
      return ServerObject(live_.Make<InterfaceChild>());
    case ClassId::InterfaceChildren:
      return ServerObject(live_.Make<InterfaceChildren>());
    case ClassId::Interfaces:
      return ServerObject(live_.Make<Interfaces>());
    case ClassId::Statistic:
      return ServerObject(live_.Make<Statistic>());
    case ClassId::Statistics:
      return ServerObject(live_.Make<Statistics>());
    case ClassId::StatisticTemplate:
      return ServerObject(live_.Make<StatisticTemplate>());
    case ClassId::StatisticTemplates: {
      std::shared_ptr<StatisticTemplates> templates =
          live_.Make<StatisticTemplates>(InstalledMibs());
      templates->Refresh();
      return ServerObject(std::move(templates));
    }
  }
  return {};
}

}  // namespace linkwatch
