#include "platform/catalog/CatalogSources.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <system_error>

#ifndef LINKWATCH_DATA_DIR
#define LINKWATCH_DATA_DIR "data"
#endif

namespace linkwatch {
namespace {

// Any object of this module will do to ask the loader where the module lives.
const char kModuleAnchor = 0;

// The folder of the module (program or shared library) this code is linked into.
std::filesystem::path ModuleFolder() {
  Dl_info info{};
  if (dladdr(&kModuleAnchor, &info) == 0 || !info.dli_fname) {
    return {};
  }
  std::error_code error;
  const auto module = std::filesystem::canonical(info.dli_fname, error);
  return error ? std::filesystem::path() : module.parent_path();
}

bool HoldsTables(const std::filesystem::path& folder) {
  std::error_code error;
  return !folder.empty() && std::filesystem::is_regular_file(folder / "iftypes.tsv", error);
}

}  // namespace

std::string CatalogDataDirectory() {
  if (const char* overridden = std::getenv("LINKWATCH_CATALOG_DIR");
      overridden && *overridden) {
    return overridden;
  }
  const std::filesystem::path module = ModuleFolder();
  if (!module.empty()) {
    for (const auto& candidate : {module / ".." / "share" / "linkwatch" / "catalog",
                                  module / "data" / "catalog"}) {
      if (HoldsTables(candidate)) return candidate.lexically_normal().string();
    }
  }
  return (std::filesystem::path(LINKWATCH_DATA_DIR) / "catalog").string();
}

CatalogSources CatalogSources::Defaults() {
  CatalogSources sources;
  const std::filesystem::path folder = CatalogDataDirectory();
  sources.interfaceTypes = (folder / "iftypes.tsv").string();
  sources.machineTypes = (folder / "machine-types.tsv").string();
  sources.report = [](const std::string& message) { std::cerr << message << '\n'; };
  return sources;
}

}  // namespace linkwatch
