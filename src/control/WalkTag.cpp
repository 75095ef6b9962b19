#include "control/WalkTag.h"

#include <vector>

#include "common/TextFunctions.h"

namespace linkwatch {

std::string WalkTag::Make(int32_t pollId, const std::string& statName,
                          const std::string& baseOid) {
  return std::to_string(pollId) + ":" + statName + ":" + baseOid;
}

std::optional<WalkTag> WalkTag::Read(const std::string& tag) {
  const std::vector<std::string> parts = Split(tag, ':');
  if (parts.size() < 3) return std::nullopt;
  return WalkTag{NumericValue(parts[0]), parts[1], parts[2]};
}

}  // namespace linkwatch
