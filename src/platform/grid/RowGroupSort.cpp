#include "platform/grid/RowGroupSort.h"

#include <algorithm>

namespace linkwatch {
namespace {

struct RowGroup {
  size_t Begin;  // the head row
  size_t End;    // one past the group's last row
};

std::vector<RowGroup> GroupsFrom(const std::vector<std::unique_ptr<GridRow>>& rows, size_t first) {
  std::vector<RowGroup> groups;
  size_t position = first;
  while (position < rows.size()) {
    const size_t head = position++;
    const int level = rows[head]->OutlineLevel;
    while (position < rows.size() && rows[position]->OutlineLevel > level) ++position;
    groups.push_back({head, position});
  }
  return groups;
}

}  // namespace

void SortRowGroups(std::vector<std::unique_ptr<GridRow>>& rows, size_t first,
                   const RowGroupOrder& before) {
  if (first >= rows.size()) return;
  std::vector<RowGroup> groups = GroupsFrom(rows, first);
  if (groups.size() < 2) return;
  std::stable_sort(groups.begin(), groups.end(), [&](const RowGroup& a, const RowGroup& b) {
    return before(*rows[a.Begin], *rows[b.Begin]);
  });

  std::vector<std::unique_ptr<GridRow>> sorted;
  sorted.reserve(rows.size());
  for (size_t i = 0; i < first; ++i) sorted.push_back(std::move(rows[i]));
  for (const RowGroup& group : groups) {
    for (size_t i = group.Begin; i < group.End; ++i) sorted.push_back(std::move(rows[i]));
  }
  rows = std::move(sorted);
}

}  // namespace linkwatch
