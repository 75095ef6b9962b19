#include "platform/mib/MibCatalogueLocation.h"

#include <dlfcn.h>

#include <cstdlib>
#include <system_error>

namespace linkwatch {

namespace {
// Any object inside this module tells dladdr which module file to name.
const char kModuleAnchor = 0;
}  // namespace

std::filesystem::path MibCatalogueLocation::ModuleFolder() {
  Dl_info info{};
  if (dladdr(&kModuleAnchor, &info) == 0 ||
      info.dli_fname == nullptr) {
    return {};
  }
  std::error_code error;
  std::filesystem::path module = std::filesystem::canonical(info.dli_fname, error);
  if (error) {
    // The main program may be listed by the name it was started with.
    module = std::filesystem::canonical("/proc/self/exe", error);
    if (error) return {};
  }
  return module.parent_path();
}

std::filesystem::path MibCatalogueLocation::Default() {
  if (const char* chosen = std::getenv(kEnvironmentVariable); chosen && *chosen) {
    return chosen;
  }
  std::error_code error;
  if (const auto folder = ModuleFolder(); !folder.empty()) {
    const auto installed = folder / "data" / "mibs";
    if (std::filesystem::exists(installed, error)) return installed;
  }
#ifdef LINKWATCH_DATA_DIR
  return std::filesystem::path(LINKWATCH_DATA_DIR) / "mibs";
#else
  return {};
#endif
}

}  // namespace linkwatch
