#include "common/Version.h"

namespace linkwatch {

std::string LinkwatchVersion() { return "0.1.0"; }

}  // namespace linkwatch
