#include "table/TableSortOrder.h"

#include <cmath>
#include <string>

namespace linkwatch {
namespace {

// A value's place in the comparison: a number, a text, or nothing to compare.
struct SortKey {
  enum class Kind { Empty, Number, Text, Incomparable } kind = Kind::Empty;
  double number = 0;
  const std::string* text = nullptr;
};

SortKey KeyOf(const GridValue& value) {
  SortKey key;
  if (std::holds_alternative<std::monostate>(value)) return key;
  if (const auto* flag = std::get_if<bool>(&value)) {
    // The product's truth values: -1 set, 0 clear.
    key.kind = SortKey::Kind::Number;
    key.number = *flag ? -1.0 : 0.0;
  } else if (const auto* whole = std::get_if<int64_t>(&value)) {
    key.kind = SortKey::Kind::Number;
    key.number = static_cast<double>(*whole);
  } else if (const auto* real = std::get_if<double>(&value)) {
    key.kind = std::isnan(*real) ? SortKey::Kind::Incomparable : SortKey::Kind::Number;
    key.number = *real;
  } else if (const auto* text = std::get_if<std::string>(&value)) {
    key.kind = SortKey::Kind::Text;
    key.text = text;
  } else {
    key.kind = SortKey::Kind::Incomparable;
  }
  return key;
}

template <typename T>
int Sign(const T& a, const T& b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

std::optional<int> TableSortOrder::Compare(const GridValue& first, const GridValue& second) {
  using Kind = SortKey::Kind;
  const SortKey a = KeyOf(first);
  const SortKey b = KeyOf(second);
  if (a.kind == Kind::Incomparable || b.kind == Kind::Incomparable) return std::nullopt;
  if (a.kind == Kind::Empty && b.kind == Kind::Empty) return 0;

  static const std::string kEmptyText;
  // An empty value takes the kind of the other side.
  const bool textual = a.kind == Kind::Text || b.kind == Kind::Text;
  const bool numeric = a.kind == Kind::Number || b.kind == Kind::Number;
  if (textual && numeric) return a.kind == Kind::Number ? -1 : 1;
  if (textual) {
    const std::string& left = a.text ? *a.text : kEmptyText;
    const std::string& right = b.text ? *b.text : kEmptyText;
    const int order = left.compare(right);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
  }
  return Sign(a.number, b.number);
}

int16_t TableSortOrder::NextDirection(int16_t current) {
  return (current == 0 || current == -1) ? int16_t{1} : int16_t{-1};
}

int TableSortOrder::RowOrder(const GridValue& first, const GridValue& second, int16_t direction) {
  const std::optional<int> order = Compare(first, second);
  if (!order || *order == 0) return 0;
  return *order < 0 ? direction : -direction;
}

}  // namespace linkwatch
