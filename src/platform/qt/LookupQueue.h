#pragma once
#include <cstddef>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace linkwatch {

// One reverse lookup asked for: the address and the tag its answer carries back.
struct LookupRequest {
  std::string Address;
  std::string Tag;

  bool operator<(const LookupRequest& other) const {
    return std::tie(Address, Tag) < std::tie(other.Address, other.Tag);
  }
  bool operator==(const LookupRequest& other) const = default;
};

// Keeps the resolver's work bounded: at most maxRunning lookups run at once, at
// most maxWaiting wait for a slot. A request equal to one already waiting or
// running is merged into it (its answer serves both). When the waiting line is
// full the oldest waiting request is dropped, since a poll cycle asks again for
// whatever it still needs.
class LookupQueue {
 public:
  LookupQueue(std::size_t maxRunning, std::size_t maxWaiting);

  // Returns false when the request was merged into an equal one.
  bool Add(LookupRequest request);
  // Moves the oldest waiting request to running when a slot is free.
  std::optional<LookupRequest> StartNext();
  // A running request got its answer (or was given up); frees its slot.
  void Finish(const LookupRequest& request);
  void ClearWaiting();

  std::size_t Running() const { return running_.size(); }
  std::size_t Waiting() const { return waiting_.size(); }
  // How many waiting requests were dropped because the line was full.
  std::size_t Dropped() const { return dropped_; }

 private:
  std::size_t maxRunning_;
  std::size_t maxWaiting_;
  std::deque<LookupRequest> waiting_;
  std::set<LookupRequest> waitingSet_;
  std::set<LookupRequest> running_;
  std::size_t dropped_ = 0;
};

}  // namespace linkwatch
