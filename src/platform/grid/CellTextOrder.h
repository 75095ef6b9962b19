#pragma once
#include <string>

namespace linkwatch {

// The grid's own order of cell texts, used when a header click sorts without
// the custom order: two texts that are both plain decimal numbers compare by
// value, any other pair compares as text ignoring the letter case of A-Z, and
// texts equal that way compare byte by byte. Returns <0, 0 or >0.
int CompareCellTexts(const std::string& left, const std::string& right);

}  // namespace linkwatch
