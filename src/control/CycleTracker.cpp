#include "control/CycleTracker.h"

namespace linkwatch {

void CycleTracker::OnStatus(int32_t walksInProgress, SerialDate nextPoll) {
  if (walksInProgress > 0) return;  // another chain of this cycle is still walking
  ++complete_;
  pollPending_ = false;
  seenNextPoll_ = nextPoll;
}

void CycleTracker::Observe(int32_t walksInProgress, SerialDate nextPoll) {
  if (nextPoll != seenNextPoll_) {
    seenNextPoll_ = nextPoll;
    pollPending_ = true;
  }
  if (pollPending_ && walksInProgress == 0) {
    ++incomplete_;
    pollPending_ = false;
  }
}

CycleTracker::Ends CycleTracker::Take() {
  Ends ends{complete_, incomplete_};
  complete_ = 0;
  incomplete_ = 0;
  return ends;
}

}  // namespace linkwatch
