// How the model tells views about the grid's changes: rows and columns are known
// by their keys, so removals, insertions and re-orderings are reported where they
// happened, as Qt's item views and their persistent indexes expect.
#include <QModelIndexList>
#include <algorithm>
#include <functional>
#include <numeric>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/widgets/GridModel.h"

namespace linkwatch {
namespace {

// Identities of keys in order: the key and how often it came before, so that rows
// without a key yet (or with the same key) stay apart.
std::vector<std::string> Identities(int count, const std::function<std::string(int)>& keyOf) {
  std::vector<std::string> ids;
  ids.reserve(static_cast<size_t>(std::max(count, 0)));
  std::unordered_map<std::string, int> seen;
  for (int i = 0; i < count; ++i) {
    std::string key = keyOf(i);
    const int occurrence = seen[key]++;
    key += '\x1f';
    key += std::to_string(occurrence);
    ids.push_back(std::move(key));
  }
  return ids;
}

std::unordered_map<std::string, int> PositionsOf(const std::vector<std::string>& ids) {
  std::unordered_map<std::string, int> positions;
  positions.reserve(ids.size());
  for (size_t i = 0; i < ids.size(); ++i) positions.emplace(ids[i], static_cast<int>(i));
  return positions;
}

// The new place of each item when items are put in the order of their grid
// positions; empty when they are in that order already.
std::vector<int> RanksByGridPosition(const std::vector<int>& gridPositions) {
  if (std::is_sorted(gridPositions.begin(), gridPositions.end())) return {};
  std::vector<int> order(gridPositions.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return gridPositions[static_cast<size_t>(a)] < gridPositions[static_cast<size_t>(b)];
  });
  std::vector<int> ranks(order.size());
  for (size_t rank = 0; rank < order.size(); ++rank) {
    ranks[static_cast<size_t>(order[rank])] = static_cast<int>(rank);
  }
  return ranks;
}

template <typename T>
void Permute(std::vector<T>& items, const std::vector<int>& ranks) {
  std::vector<T> moved(items.size());
  for (size_t i = 0; i < items.size(); ++i) moved[static_cast<size_t>(ranks[i])] = std::move(items[i]);
  items = std::move(moved);
}

}  // namespace

void GridModel::Sync() {
  const std::vector<std::string> rows = Identities(
      std::max(0, grid_.Rows() - 1), [this](int row) { return grid_.RowData(GridRow(row)); });
  const std::vector<std::string> cols =
      Identities(grid_.Cols(), [this](int col) { return grid_.ColKey(col); });

  // Every announced row and column reads from where it is in the grid now.
  const auto rowPositions = PositionsOf(rows);
  const auto colPositions = PositionsOf(cols);
  for (size_t i = 0; i < rowIds_.size(); ++i) {
    const auto found = rowPositions.find(rowIds_[i]);
    gridRows_[i] = found == rowPositions.end() ? -1 : GridRow(found->second);
  }
  for (size_t i = 0; i < colIds_.size(); ++i) {
    const auto found = colPositions.find(colIds_[i]);
    gridCols_[i] = found == colPositions.end() ? -1 : found->second;
  }

  RemoveDropped(Qt::Horizontal);
  RemoveDropped(Qt::Vertical);
  Rearrange();
  InsertNew(Qt::Horizontal, cols);
  InsertNew(Qt::Vertical, rows);

  hasOutline_ = false;
  for (int row = 1; row < grid_.Rows() && !hasOutline_; ++row) {
    hasOutline_ = grid_.OutlineLevel(row) > 0 || grid_.IsSubtotal(row);
  }
  const int rowCount = static_cast<int>(rowIds_.size());
  const int colCount = static_cast<int>(colIds_.size());
  if (rowCount > 0 && colCount > 0) {
    emit dataChanged(index(0, 0), index(rowCount - 1, colCount - 1));
  }
  if (colCount > 0) emit headerDataChanged(Qt::Horizontal, 0, colCount - 1);
}

void GridModel::RemoveDropped(Qt::Orientation orientation) {
  const bool vertical = orientation == Qt::Vertical;
  std::vector<std::string>& ids = vertical ? rowIds_ : colIds_;
  std::vector<int>& places = vertical ? gridRows_ : gridCols_;
  // From the end, so the positions of runs still to remove stay as they are.
  int last = static_cast<int>(places.size()) - 1;
  while (last >= 0) {
    if (places[static_cast<size_t>(last)] >= 0) {
      --last;
      continue;
    }
    int first = last;
    while (first > 0 && places[static_cast<size_t>(first - 1)] < 0) --first;
    if (vertical) {
      beginRemoveRows(QModelIndex(), first, last);
    } else {
      beginRemoveColumns(QModelIndex(), first, last);
    }
    ids.erase(ids.begin() + first, ids.begin() + last + 1);
    places.erase(places.begin() + first, places.begin() + last + 1);
    if (vertical) {
      endRemoveRows();
    } else {
      endRemoveColumns();
    }
    last = first - 1;
  }
}

void GridModel::Rearrange() {
  const std::vector<int> rowRanks = RanksByGridPosition(gridRows_);
  const std::vector<int> colRanks = RanksByGridPosition(gridCols_);
  if (rowRanks.empty() && colRanks.empty()) return;
  const LayoutChangeHint hint = colRanks.empty()   ? VerticalSortHint
                                : rowRanks.empty() ? HorizontalSortHint
                                                   : NoLayoutChangeHint;
  emit layoutAboutToBeChanged({}, hint);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& moved : before) {
    const int row = rowRanks.empty() ? moved.row() : rowRanks[static_cast<size_t>(moved.row())];
    const int col =
        colRanks.empty() ? moved.column() : colRanks[static_cast<size_t>(moved.column())];
    after.append(index(row, col));
  }
  if (!rowRanks.empty()) {
    Permute(rowIds_, rowRanks);
    Permute(gridRows_, rowRanks);
  }
  if (!colRanks.empty()) {
    Permute(colIds_, colRanks);
    Permute(gridCols_, colRanks);
  }
  changePersistentIndexList(before, after);
  emit layoutChanged({}, hint);
}

void GridModel::InsertNew(Qt::Orientation orientation, const std::vector<std::string>& wanted) {
  const bool vertical = orientation == Qt::Vertical;
  std::vector<std::string>& ids = vertical ? rowIds_ : colIds_;
  std::vector<int>& places = vertical ? gridRows_ : gridCols_;
  // The announced items are the grid's survivors, in the grid's order; what the
  // grid has beyond them goes in where it stands.
  const auto announced = PositionsOf(ids);
  size_t at = 0;
  while (at < wanted.size()) {
    if (announced.count(wanted[at])) {
      ++at;
      continue;
    }
    size_t end = at;
    while (end < wanted.size() && !announced.count(wanted[end])) ++end;
    const int first = static_cast<int>(at);
    const int last = static_cast<int>(end) - 1;
    if (vertical) {
      beginInsertRows(QModelIndex(), first, last);
    } else {
      beginInsertColumns(QModelIndex(), first, last);
    }
    ids.insert(ids.begin() + first, wanted.begin() + first, wanted.begin() + last + 1);
    std::vector<int> newPlaces;
    for (int i = first; i <= last; ++i) newPlaces.push_back(vertical ? GridRow(i) : i);
    places.insert(places.begin() + first, newPlaces.begin(), newPlaces.end());
    if (vertical) {
      endInsertRows();
    } else {
      endInsertColumns();
    }
    at = end;
  }
}

}  // namespace linkwatch
