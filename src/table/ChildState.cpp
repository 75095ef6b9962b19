#include "table/ChildState.h"

namespace linkwatch {

ChildState ChildStateFor(int64_t ageSeconds, int32_t refreshInterval) {
  const int64_t interval = refreshInterval;
  if (ageSeconds > 2 * interval) return ChildState::kDisappeared;
  if (ageSeconds > interval) return ChildState::kMissing;
  return ChildState::kActive;
}

std::string ChildStatusWord(ChildState state) {
  switch (state) {
    case ChildState::kActive:
      return "Active";
    case ChildState::kMissing:
      return "Missing";
    case ChildState::kDisappeared:
      return "Disappeared";
  }
  return {};
}

int32_t ChildStatusIconNumber(ChildState state) {
  switch (state) {
    case ChildState::kActive:
      return 1;
    case ChildState::kMissing:
      return 3;
    case ChildState::kDisappeared:
      return 7;
  }
  return 0;
}

}  // namespace linkwatch
