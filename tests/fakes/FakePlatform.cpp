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

}  // namespace

FakePlatform::FakePlatform() = default;

std::unique_ptr<SnmpEngine> FakePlatform::NewSnmpEngine() {
  return Make(MakeSnmpEngine, "SnmpEngine");
}

std::unique_ptr<GridSurface> FakePlatform::NewGrid() { return Make(MakeGrid, "GridSurface"); }

std::unique_ptr<Timer> FakePlatform::NewTimer() { return Make(MakeTimer, "Timer"); }

std::unique_ptr<DnsResolver> FakePlatform::NewDnsResolver() {
  return Make(MakeDnsResolver, "DnsResolver");
}

std::unique_ptr<DeviceCatalog> FakePlatform::NewDeviceCatalog() {
  return Make(MakeDeviceCatalog, "DeviceCatalog");
}

}  // namespace linkwatch::fakes
