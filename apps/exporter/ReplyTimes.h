#pragma once
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "components/SnmpMessage.h"

namespace linkwatch::exporter {

// When the replies of a poll cycle's walks arrived, so that a counter is stamped
// with the time its value was read rather than with the end of the cycle. On a
// slow link a sequential cycle lasts seconds; stamped at its end, a counter read
// early carries a late time, and a rate over two cycles of different lengths is
// off by the difference.
//
// A walk's replies carry its tag (WalkTag: the statistic name and base OID), and a
// walk reads its column in interface order, so one entry per reply (the interface index
// of its first binding in the column, and its arrival) tells when any row's value
// came, to within one round trip for child rows that span two replies.
class ReplyTimes {
 public:
  using Clock = std::chrono::system_clock;

  // A reply to one of the control's walks; anything else is passed over.
  void Note(const SnmpMessage& reply, Clock::time_point arrival);
  // When the value of the statistic (any letter case) for the interface, or a child
  // row of it, arrived since the last Clear(); none when no reply brought it.
  std::optional<int64_t> ArrivalMs(const std::string& statName, int32_t ifIndex) const;
  void Clear() { walks_.clear(); }

 private:
  struct Reply {
    int64_t FirstIndex;
    int64_t ArrivalMs;
  };
  // A walk that never ends is cut off by the engine; this bounds what is kept anyway.
  static constexpr size_t kMostRepliesPerWalk = 100'000;
  std::unordered_map<std::string, std::vector<Reply>> walks_;  // by upper-cased name
};

}  // namespace linkwatch::exporter
