#include "common/ModuleFile.h"

#include <dlfcn.h>
#include <errno.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <system_error>

namespace linkwatch {
namespace {

std::string RealPath(const char* path) {
  std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path, nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

std::string ExecutablePath() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : exe.string();
}

}  // namespace

std::string ModuleFile::Path() {
  Dl_info info{};
  // Any function of ours tells which loaded object holds the library's code.
  if (dladdr(reinterpret_cast<void*>(&ModuleFile::Path), &info) == 0 || info.dli_fname == nullptr ||
      info.dli_fname[0] == '\0') {
    return ExecutablePath();
  }
  // For the main program the loader answers with argv[0], which may be relative to
  // a folder the program has since left; the kernel knows the real file.
  if (program_invocation_name != nullptr &&
      std::string(info.dli_fname) == program_invocation_name) {
    return ExecutablePath();
  }
  std::string resolved = RealPath(info.dli_fname);
  return resolved.empty() ? ExecutablePath() : resolved;
}

std::string ModuleFile::BaseName(const std::string& modulePath) {
  std::string name = std::filesystem::path(modulePath).filename().string();
  if (name.rfind("lib", 0) == 0) {
    name.erase(0, 3);
  }
  const size_t so = name.find(".so");
  if (so != std::string::npos) {
    name.erase(so);
  }
  return name;
}

std::string ModuleFile::ConfigFileFor(const std::string& modulePath) {
  const std::filesystem::path folder = std::filesystem::path(modulePath).parent_path();
  return (folder / (BaseName(modulePath) + ".cfg")).string();
}

}  // namespace linkwatch
