#include "fakes/FakePlatform.h"

#include <stdexcept>
#include <string>

namespace linkwatch::fakes {
namespace {

template <typename T>
std::unique_ptr<T> Make(const std::function<std::unique_ptr<T>()>& factory, const char* what) {
  if (!factory) {
    throw std::logic_error(std::string("FakePlatform: no factory set for ") + what);
  }
  return factory();
}

// Makes a T, remembers it in last and hands it out.
template <typename T, typename Interface>
std::function<std::unique_ptr<Interface>()> Remembering(T*& last) {
  return [&last] {
    auto made = std::make_unique<T>();
    last = made.get();
    return std::unique_ptr<Interface>(std::move(made));
  };
}

}  // namespace

FakePlatform::FakePlatform()
    : MakeSnmpEngine(Remembering<FakeSnmpEngine, SnmpEngine>(lastEngine_)),
      MakeDnsResolver(Remembering<FakeDnsResolver, DnsResolver>(lastResolver_)),
      MakeDeviceCatalog(Remembering<FakeDeviceCatalog, DeviceCatalog>(lastCatalog_)) {}

std::unique_ptr<SnmpEngine> FakePlatform::NewSnmpEngine() {
  return Make(MakeSnmpEngine, "SnmpEngine");
}

std::unique_ptr<GridSurface> FakePlatform::NewGrid() {
  auto grid = std::make_unique<RecordingGrid>(&textMeasure_);
  lastGrid_ = grid.get();
  return grid;
}

std::unique_ptr<Timer> FakePlatform::NewTimer() {
  auto timer = std::make_unique<ManualTimer>();
  lastTimer_ = timer.get();
  return timer;
}

std::unique_ptr<DnsResolver> FakePlatform::NewDnsResolver() {
  return Make(MakeDnsResolver, "DnsResolver");
}

std::unique_ptr<DeviceCatalog> FakePlatform::NewDeviceCatalog() {
  return Make(MakeDeviceCatalog, "DeviceCatalog");
}

}  // namespace linkwatch::fakes
