#include "library/LibraryInfo.h"

#include <string>

#include "common/ModuleFile.h"
#include "common/Version.h"

// Both texts are fixed for the life of the process, so each is computed once and
// handed out as a pointer into a function-local static.

const char* LinkwatchLibraryVersion() {
  static const std::string version = linkwatch::LinkwatchVersion();
  return version.c_str();
}

const char* LinkwatchLibraryPath() {
  static const std::string path = linkwatch::ModuleFile::Path();
  return path.c_str();
}
