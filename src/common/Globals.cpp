#include "common/Globals.h"

#include <stdexcept>

#include "common/ControlForm.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {
namespace {

struct ThreadShared {
  // Declared first so it is released last: the other objects come from it.
  std::shared_ptr<Platform> platform;
  std::shared_ptr<StatisticTemplates> templates;
  std::shared_ptr<DeviceCatalog> catalog;
  std::shared_ptr<ControlForm> form;
  SerialDate lastBoot = 0.0;

  void ReleaseShared() {
    form.reset();
    catalog.reset();
    templates.reset();
    lastBoot = 0.0;
  }
};

ThreadShared& Shared() {
  thread_local ThreadShared shared;
  return shared;
}

}  // namespace

void Globals::Install(std::shared_ptr<Platform> platform) {
  ThreadShared& shared = Shared();
  shared.ReleaseShared();
  shared.platform = std::move(platform);
}

bool Globals::Installed() { return Shared().platform != nullptr; }

Platform& Globals::GetPlatform() { return *SharedPlatform(); }

std::shared_ptr<Platform> Globals::SharedPlatform() {
  const std::shared_ptr<Platform>& platform = Shared().platform;
  if (!platform) {
    throw std::logic_error(
        "Linkwatch: no platform installed on this thread; call Globals::Install first");
  }
  return platform;
}

std::shared_ptr<StatisticTemplates> Globals::Templates() {
  ThreadShared& shared = Shared();
  if (!shared.templates) {
    auto templates = std::make_shared<StatisticTemplates>(SharedPlatform()->Mibs());
    templates->Refresh();
    shared.templates = std::move(templates);
  }
  return shared.templates;
}

std::shared_ptr<DeviceCatalog> Globals::Catalog() {
  ThreadShared& shared = Shared();
  if (!shared.catalog) {
    shared.catalog = GetPlatform().NewDeviceCatalog();
  }
  return shared.catalog;
}

std::shared_ptr<ControlForm> Globals::Form() {
  ThreadShared& shared = Shared();
  if (!shared.form) {
    shared.form = std::make_shared<ControlForm>(GetPlatform().NewDnsResolver());
  }
  return shared.form;
}

SerialDate Globals::SharedLastBoot() { return Shared().lastBoot; }

void Globals::SetSharedLastBoot(SerialDate when) { Shared().lastBoot = when; }

void Globals::Reset() {
  ThreadShared& shared = Shared();
  shared.ReleaseShared();
  shared.platform.reset();
}

}  // namespace linkwatch
