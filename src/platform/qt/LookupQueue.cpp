#include "platform/qt/LookupQueue.h"

#include <algorithm>

namespace linkwatch {

LookupQueue::LookupQueue(std::size_t maxRunning, std::size_t maxWaiting)
    : maxRunning_(std::max<std::size_t>(maxRunning, 1)), maxWaiting_(maxWaiting) {}

bool LookupQueue::Add(LookupRequest request) {
  if (running_.count(request) != 0 || waitingSet_.count(request) != 0) return false;
  if (maxWaiting_ == 0) {
    ++dropped_;
    return true;
  }
  while (waiting_.size() >= maxWaiting_) {
    waitingSet_.erase(waiting_.front());
    waiting_.pop_front();
    ++dropped_;
  }
  waitingSet_.insert(request);
  waiting_.push_back(std::move(request));
  return true;
}

std::optional<LookupRequest> LookupQueue::StartNext() {
  if (waiting_.empty() || running_.size() >= maxRunning_) return std::nullopt;
  LookupRequest next = std::move(waiting_.front());
  waiting_.pop_front();
  waitingSet_.erase(next);
  running_.insert(next);
  return next;
}

void LookupQueue::Finish(const LookupRequest& request) { running_.erase(request); }

void LookupQueue::ClearWaiting() {
  waiting_.clear();
  waitingSet_.clear();
}

}  // namespace linkwatch
