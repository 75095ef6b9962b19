#include "platform/qt/Ipv4Text.h"

#include <cstddef>

namespace linkwatch {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Parses one part between dots; -1 when it is not a number from 0 to 255.
int ParsePart(const std::string& text, std::size_t begin, std::size_t end) {
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  if (begin == end) return -1;
  int value = 0;
  for (std::size_t i = begin; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
    if (value > 255) return -1;
  }
  return value;
}

}  // namespace

std::optional<std::string> CanonicalIpv4(const std::string& text) {
  std::string canonical;
  std::size_t begin = 0;
  for (int part = 0; part < 4; ++part) {
    const std::size_t dot = text.find('.', begin);
    const bool last = part == 3;
    if (last != (dot == std::string::npos)) return std::nullopt;
    const std::size_t end = last ? text.size() : dot;
    const int value = ParsePart(text, begin, end);
    if (value < 0) return std::nullopt;
    if (!last) {
      canonical += std::to_string(value) + ".";
    } else {
      canonical += std::to_string(value);
    }
    begin = end + 1;
  }
  return canonical;
}

}  // namespace linkwatch
