#include "platform/grid/CellSortKey.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "platform/grid/TextQuantity.h"

namespace linkwatch {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
int Sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

std::optional<double> NumberOf(const GridValue& value) {
  if (const auto* real = std::get_if<double>(&value)) {
    if (std::isfinite(*real)) return *real;
    return std::nullopt;
  }
  if (const auto* whole = std::get_if<int64_t>(&value)) return static_cast<double>(*whole);
  return std::nullopt;
}

// The run of digits starting at `at`, without leading zeros; moves `at` past it.
std::string_view DigitRun(std::string_view text, size_t& at) {
  const size_t start = at;
  while (at < text.size() && IsDigit(text[at])) ++at;
  std::string_view run = text.substr(start, at - start);
  while (!run.empty() && run.front() == '0') run.remove_prefix(1);
  return run;
}

}  // namespace

CellSortKey::CellSortKey(const std::string& text, const GridValue& sortValue) {
  // A check box or picture cell shows no text; its sort value says what it shows.
  const auto* sortText = std::get_if<std::string>(&sortValue);
  text_ = text.empty() && sortText ? *sortText : text;
  const std::optional<double> sortNumber = NumberOf(sortValue);
  if (const std::optional<double> quantity = TextQuantity(text_)) {
    kind_ = Kind::kQuantity;
    magnitude_ = sortNumber.value_or(*quantity);
  } else if (sortNumber && LooksLikeDateTime(text_)) {
    kind_ = Kind::kQuantity;
    magnitude_ = *sortNumber;
  } else {
    kind_ = text_.empty() ? Kind::kEmpty : Kind::kText;
  }
}

int CellSortKey::Compare(const CellSortKey& left, const CellSortKey& right) {
  if (left.kind_ != right.kind_) return left.kind_ < right.kind_ ? -1 : 1;
  if (left.kind_ == Kind::kQuantity) {
    if (left.magnitude_ < right.magnitude_) return -1;
    if (left.magnitude_ > right.magnitude_) return 1;
  }
  return CompareNaturally(left.text_, right.text_);
}

int CellSortKey::CompareNaturally(const std::string& left, const std::string& right) {
  const std::string_view a = left;
  const std::string_view b = right;
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    if (IsDigit(a[i]) && IsDigit(b[j])) {
      const std::string_view first = DigitRun(a, i);
      const std::string_view second = DigitRun(b, j);
      if (first.size() != second.size()) return first.size() < second.size() ? -1 : 1;
      if (const int order = first.compare(second); order != 0) return Sign(order);
      continue;
    }
    const auto x = static_cast<unsigned char>(Lower(a[i]));
    const auto y = static_cast<unsigned char>(Lower(b[j]));
    if (x != y) return x < y ? -1 : 1;
    ++i;
    ++j;
  }
  if ((i < a.size()) != (j < b.size())) return i < a.size() ? 1 : -1;
  return Sign(a.compare(b));
}

}  // namespace linkwatch
