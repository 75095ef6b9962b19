#include "platform/grid/GridPositions.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace linkwatch {
namespace {

[[noreturn]] void Fail(const char* what, int value, int low, int high) {
  throw std::out_of_range(std::string("grid ") + what + " " + std::to_string(value) +
                          " is outside " + std::to_string(low) + ".." + std::to_string(high));
}

}  // namespace

size_t CheckedPosition(const char* what, int position, int count) {
  if (position < 0 || position >= count) Fail(what, position, 0, count - 1);
  return static_cast<size_t>(position);
}

int CheckedCount(const char* what, int count, int largest) {
  if (count < 0 || count > largest) Fail((std::string(what) + " count").c_str(), count, 0, largest);
  return count;
}

int CheckedCursor(const char* what, int position, int count) {
  if (count == 0 && (position == 0 || position == -1)) return 0;
  CheckedPosition(what, position, count);
  return position;
}

int ClampedPosition(int position, int count) {
  return std::max(0, std::min(position, count - 1));
}

}  // namespace linkwatch
