#include "platform/grid/RowKeyIndex.h"

namespace linkwatch {

void RowKeyIndex::Add(const GridRow& row) {
  if (!row.Key.empty()) rows_.emplace(row.Key, &row);
}

void RowKeyIndex::Remove(const GridRow& row) {
  if (row.Key.empty()) return;
  auto [first, last] = rows_.equal_range(row.Key);
  for (auto entry = first; entry != last; ++entry) {
    if (entry->second == &row) {
      rows_.erase(entry);
      return;
    }
  }
}

const GridRow* RowKeyIndex::Find(const std::string& key) const {
  if (key.empty()) return nullptr;
  auto [first, last] = rows_.equal_range(key);
  const GridRow* found = nullptr;
  for (auto entry = first; entry != last; ++entry) {
    if (!found || entry->second->Position < found->Position) found = entry->second;
  }
  return found;
}

}  // namespace linkwatch
