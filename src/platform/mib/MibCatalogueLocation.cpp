#include "platform/mib/MibCatalogueLocation.h"

#include <cstdlib>
#include <system_error>

#include "common/ModuleFile.h"

namespace linkwatch {

std::filesystem::path MibCatalogueLocation::ModuleFolder() {
  const std::string module = ModuleFile::Path();
  return module.empty() ? std::filesystem::path() : std::filesystem::path(module).parent_path();
}

std::filesystem::path MibCatalogueLocation::Default() {
  if (const char* chosen = std::getenv(kEnvironmentVariable); chosen && *chosen) {
    return chosen;
  }
  std::error_code error;
  if (const auto folder = ModuleFolder(); !folder.empty()) {
    // An installed tree keeps data in <prefix>/share next to <prefix>/lib and /bin.
    const std::filesystem::path candidates[] = {
        (folder / ".." / "share" / "linkwatch" / "mibs").lexically_normal(),
        folder / "data" / "mibs"};
    for (const auto& installed : candidates) {
      if (std::filesystem::exists(installed, error)) return installed;
    }
  }
#ifdef LINKWATCH_DATA_DIR
  return std::filesystem::path(LINKWATCH_DATA_DIR) / "mibs";
#else
  return {};
#endif
}

}  // namespace linkwatch
