#pragma once
#include <cstdint>
#include <optional>

#include "components/GridValue.h"

namespace linkwatch {

// The order of the table's own (custom) sort: how two cell sort values compare,
// which way the next custom sort runs, and the answer the grid gets for a pair of
// rows.
//
// Sort values are numbers (a statistic's current value) or texts (its parsed
// value, for icons and check boxes). Numbers compare by value, texts byte by
// byte, and every number sorts below every text, so a column that mixes the two
// still has one consistent order. An empty value counts as 0 beside a number and
// as "" beside a text. Pictures, and numbers that are not a number, cannot be
// compared.
class TableSortOrder {
 public:
  // -1 when first is less, 0 when equal, 1 when first is greater; none when the
  // two cannot be compared.
  static std::optional<int> Compare(const GridValue& first, const GridValue& second);

  // The direction of the next custom sort: 1 (largest first) after none or after
  // -1, -1 after anything else. The direction is shared by all columns, so each
  // custom sort reverses the one before.
  static int16_t NextDirection(int16_t current);

  // The grid's compare answer for two rows with these sort values: 0 when equal
  // or not comparable, direction when the second row's value is greater, and
  // -direction otherwise. A negative answer puts the first row on top.
  static int RowOrder(const GridValue& first, const GridValue& second, int16_t direction);
};

}  // namespace linkwatch
