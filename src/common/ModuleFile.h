#pragma once
#include <string>

namespace linkwatch {

// Where the library's own code lives on disk, and the files named after it.
class ModuleFile {
 public:
  // Real path of the shared library or executable that holds this library's code
  // (symbolic links resolved); empty when it cannot be found.
  static std::string Path();

  // The module's base name: the file name without its folder, without a leading
  // "lib" and without everything from ".so" on ("libOSTLNK9.so.0.1" gives
  // "OSTLNK9"; an executable keeps its whole name).
  static std::string BaseName(const std::string& modulePath);

  // The module's folder, a "/", its base name and ".cfg".
  static std::string ConfigFileFor(const std::string& modulePath);
};

}  // namespace linkwatch
