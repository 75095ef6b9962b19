#pragma once
#include <string>

namespace linkwatch {

// The library's version, "major.minor.patch".
std::string LinkwatchVersion();

}  // namespace linkwatch
