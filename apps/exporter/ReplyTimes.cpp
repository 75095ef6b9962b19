#include "ReplyTimes.h"

#include <algorithm>
#include <string_view>

#include "common/TextFunctions.h"
#include "control/WalkTag.h"

namespace linkwatch::exporter {

void ReplyTimes::Note(const SnmpMessage& reply, Clock::time_point arrival) {
  const std::optional<WalkTag> walk = WalkTag::Read(reply.Tag);
  if (!walk || walk->BaseOid.empty()) return;
  const std::string& base = walk->BaseOid;
  for (const SnmpBinding& binding : reply.Bindings) {
    const std::string_view oid = binding.OID;
    if (oid.size() <= base.size() || oid.substr(0, base.size()) != base) continue;
    const std::string_view suffix = oid.substr(base.size());
    const double index = NumericValue(suffix.substr(0, suffix.find('.')));
    if (index < 0 || index > 4294967295.0) continue;
    std::vector<Reply>& replies = walks_[UpperCase(walk->StatName)];
    if (replies.size() >= kMostRepliesPerWalk) return;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(arrival.time_since_epoch()).count();
    replies.push_back({static_cast<int64_t>(index), ms});
    return;
  }
}

std::optional<int64_t> ReplyTimes::ArrivalMs(const std::string& statName, int32_t ifIndex) const {
  const auto walk = walks_.find(UpperCase(statName));
  if (walk == walks_.end() || walk->second.empty()) return std::nullopt;
  const std::vector<Reply>& replies = walk->second;
  // The last reply that began at or before the row; a row before the first reply's
  // (none is, in a walk) takes the first.
  const auto after = std::upper_bound(
      replies.begin(), replies.end(), static_cast<int64_t>(ifIndex),
      [](int64_t index, const Reply& reply) { return index < reply.FirstIndex; });
  return (after == replies.begin() ? after : after - 1)->ArrivalMs;
}

}  // namespace linkwatch::exporter
