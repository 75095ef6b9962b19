#pragma once
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/grid/GridRow.h"

namespace linkwatch {

// Whether the group headed by the first row goes before the one headed by the second.
using RowGroupOrder = std::function<bool(const GridRow& first, const GridRow& second)>;

// Sorts rows[first..] by outline group: a group is a row together with the rows
// right after it whose outline level is deeper, so child rows stay directly under
// their head and keep their own order. Groups are ordered by their head rows, and
// stably: groups the order calls equal keep their order. The rows are only
// rearranged once every comparison is done, so an order that throws leaves them
// as they were. Row positions are not renumbered here.
void SortRowGroups(std::vector<std::unique_ptr<GridRow>>& rows, size_t first,
                   const RowGroupOrder& before);

}  // namespace linkwatch
