#pragma once
#include <filesystem>

namespace linkwatch {

// Where the built-in MIB catalogue is read from, first match wins:
//  1. the environment variable LINKWATCH_MIB_CATALOGUE (a catalogue folder or one
//     catalogue file), used as given even when it does not exist;
//  2. beside the module (program or shared library) that holds this code, as an
//     installation lays it out: "../share/linkwatch/mibs" from its folder, then
//     "data/mibs" in its folder;
//  3. the source tree's data/mibs (LINKWATCH_DATA_DIR, set at build time).
class MibCatalogueLocation {
 public:
  static constexpr const char* kEnvironmentVariable = "LINKWATCH_MIB_CATALOGUE";

  static std::filesystem::path Default();
  // The folder of the module file (shared library or program) that holds the
  // library's code; empty when unknown.
  static std::filesystem::path ModuleFolder();
};

}  // namespace linkwatch
