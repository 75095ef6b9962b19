#pragma once
#include <cstdint>
#include <string>

namespace linkwatch {

// Whether a child entry (for example a wireless client) is still there, judged
// from how long ago it last received a value compared with the refresh interval:
// active up to one interval, missing up to two, disappeared after that.
enum class ChildState { kActive, kMissing, kDisappeared };

// The state for an age in whole seconds and a refresh interval in seconds.
ChildState ChildStateFor(int64_t ageSeconds, int32_t refreshInterval);

// The word shown in a child's status column: "Active", "Missing", "Disappeared".
std::string ChildStatusWord(ChildState state);

// The device catalogue's status number whose icon shows the state: 1 (active),
// 3 (missing) or 7 (disappeared).
int32_t ChildStatusIconNumber(ChildState state);

// Missing and disappeared children are shown in faded colours.
inline bool IsStale(ChildState state) { return state != ChildState::kActive; }

}  // namespace linkwatch
