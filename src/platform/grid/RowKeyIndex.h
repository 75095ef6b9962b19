#pragma once
#include <string>
#include <unordered_map>

#include "platform/grid/GridRow.h"

namespace linkwatch {

// Finds rows by their row data in constant time. Rows are held by address, so
// moving a row changes nothing here; only a changed key or a removed row must be
// told. Empty keys are not indexed (every fresh row has one): looking one up
// scans the rows instead. When several rows share a key, the first one counts.
class RowKeyIndex {
 public:
  void Add(const GridRow& row);
  void Remove(const GridRow& row);
  void Clear() { rows_.clear(); }
  // The row with this key, nullptr when none (or when the key is empty).
  const GridRow* Find(const std::string& key) const;

 private:
  std::unordered_multimap<std::string, const GridRow*> rows_;
};

}  // namespace linkwatch
