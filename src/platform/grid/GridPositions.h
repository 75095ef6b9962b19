#pragma once
#include <cstddef>

namespace linkwatch {

// Checks of the grid's positions and counts, throwing std::out_of_range with a
// message that names what was wrong (`what` is "row", "column", ...).

// A position of an existing row or column: 0..count-1.
size_t CheckedPosition(const char* what, int position, int count);
// A count: 0..largest.
int CheckedCount(const char* what, int count, int largest);
// A cursor or selection-end position: an existing row or column; on an empty
// axis, where there is none, 0 or -1, both kept as 0.
int CheckedCursor(const char* what, int position, int count);
// A cursor position after the count went down to `count`: kept within it.
int ClampedPosition(int position, int count);

}  // namespace linkwatch
