#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace linkwatch {

// The tag of a walk's requests, which their replies carry back: the poll id of the
// monitoring run, the statistic name and the walk's base OID, joined by ':'
// ("3:In Traffic:1.3.6.1.2.1.2.2.1.10."). The control writes and reads it; a host
// that watches the engine's replies (the exporter) reads it too.
struct WalkTag {
  double PollID = 0;
  std::string StatName;
  std::string BaseOid;

  static std::string Make(int32_t pollId, const std::string& statName, const std::string& baseOid);
  // None for a tag of fewer than three parts (the control's own synchronous
  // exchanges, for one).
  static std::optional<WalkTag> Read(const std::string& tag);
};

}  // namespace linkwatch
