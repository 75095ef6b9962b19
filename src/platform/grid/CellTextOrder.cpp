#include "platform/grid/CellTextOrder.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace linkwatch {
namespace {

std::optional<double> PlainNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  double value = 0;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (error != std::errc{} || stop != end) return std::nullopt;
  return value;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

int CompareCellTexts(const std::string& left, const std::string& right) {
  const auto leftNumber = PlainNumber(left);
  const auto rightNumber = PlainNumber(right);
  if (leftNumber && rightNumber) {
    if (*leftNumber < *rightNumber) return -1;
    if (*leftNumber > *rightNumber) return 1;
    return 0;
  }
  const size_t common = std::min(left.size(), right.size());
  for (size_t i = 0; i < common; ++i) {
    const auto a = static_cast<unsigned char>(Lower(left[i]));
    const auto b = static_cast<unsigned char>(Lower(right[i]));
    if (a != b) return a < b ? -1 : 1;
  }
  if (left.size() != right.size()) return left.size() < right.size() ? -1 : 1;
  return left.compare(right) < 0 ? -1 : (left == right ? 0 : 1);
}

}  // namespace linkwatch
