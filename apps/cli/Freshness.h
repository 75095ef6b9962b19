#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>

#include "GridSnapshot.h"

namespace linkwatch {
class Interfaces;
}

namespace linkwatch::cli {

// Tells which printed values did not arrive in the last poll cycle, so output
// never passes an old value off as fresh (a device that stopped answering, a
// column whose walk failed, an interface that went away).
//
// Each Mark() compares every cell's statistic with what it was at the previous
// Mark(): a value whose statistic has taken no new value since then is stale. The
// first Mark() of a run calls nothing stale (nothing was seen before it: every
// value shown came in that cycle), and a cell without a statistic (nothing ever
// arrived) is not stale.
class Freshness {
 public:
  void Mark(const linkwatch::Interfaces* interfaces, GridSnapshot& snapshot);

 private:
  std::unordered_map<std::string, uint32_t> seen_;  // "row key\tcolumn key" -> updates
};

}  // namespace linkwatch::cli
