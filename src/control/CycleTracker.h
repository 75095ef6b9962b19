#pragma once
#include <cstdint>

#include "components/Clock.h"

namespace linkwatch {

// Tells when a poll cycle of the control has ended, from what the control shows
// a host: its Status event, WalksInProgress and NextPoll.
//
// - A cycle is complete when a Status event finds no walk in progress. The first
//   cycle of a run has two chains of walks and raises Status twice; only the
//   second one completes it.
// - A cycle can also end without Status: a walk whose reply is an error (a device
//   that stopped answering) ends its chain quietly. Every poll moves NextPoll, so
//   a poll has begun when NextPoll changed; when no walk is in progress any more
//   and no Status completed that poll, the cycle ended incomplete.
class CycleTracker {
 public:
  // The control's Status event.
  void OnStatus(int32_t walksInProgress, SerialDate nextPoll);
  // A look between events (the host's loop calls it often).
  void Observe(int32_t walksInProgress, SerialDate nextPoll);

  // Cycle ends not taken yet, oldest first.
  bool HasEnded() const { return complete_ + incomplete_ > 0; }
  struct Ends {
    int Complete = 0;
    int Incomplete = 0;
  };
  Ends Take();

 private:
  SerialDate seenNextPoll_ = 0;
  bool pollPending_ = false;
  int complete_ = 0;
  int incomplete_ = 0;
};

}  // namespace linkwatch
