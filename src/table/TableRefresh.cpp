#include "table/TableRefresh.h"

#include <memory>

#include "model/Interfaces.h"
#include "table/CellFiller.h"
#include "table/ChildRows.h"
#include "table/PassOver.h"

namespace linkwatch {

bool TableRefresh::AnyChildren(const Interfaces& interfaces) {
  for (const std::shared_ptr<Interface>& interface : interfaces) {
    if (interface->OwnChildren().Count() > 0) return true;
  }
  return false;
}

void TableRefresh::Refresh(const Interfaces& interfaces) const {
  bool outline = false;
  PassOver([&] { outline = AnyChildren(interfaces); });
  PassOver([&] { grid_.SetRedraw(kGridRedrawSuspend); });

  // Read and hashed once: nothing in the refresh moves or renames columns.
  std::vector<std::string> columnKeys;
  PassOver([&] { columnKeys = ColumnKeys(); });
  std::vector<HashedKey> columns;  // views of columnKeys, which outlives them
  columns.reserve(columnKeys.size());
  for (const std::string& key : columnKeys) columns.push_back(Statistics::Hashed(key));
  // Each interface's row as found or appended, for the outline below (nothing
  // moves rows in between); 0 where the look-up failed.
  std::vector<int> rows;
  rows.reserve(static_cast<size_t>(interfaces.Count()));
  // A failed look-up leaves the row where the previous one was.
  int row = 0;
  for (const std::shared_ptr<Interface>& interface : interfaces) {
    rows.push_back(RefreshInterfaceRow(*interface, columns, outline, row));
  }

  if (outline) {
    MarkGroupHeads(rows);
    for (const std::shared_ptr<Interface>& interface : interfaces) {
      PassOver([&] { children_.Refresh(*interface); });
    }
  }

  PassOver([&] {
    if (selectionChanged_) selectionChanged_();
  });
  PassOver([&] { grid_.AutoSize(0, grid_.Cols() - 1); });
  PassOver([&] { grid_.SetRedraw(kGridRedrawResume); });
}

int TableRefresh::RefreshInterfaceRow(Interface& interface,
                                      const std::vector<HashedKey>& columns, bool outline,
                                      int& row) const {
  const std::string key = interface.Key();
  int foundAgain = 0;
  if (PassOver([&] { row = grid_.FindRow(key); })) foundAgain = row;
  if (row < 1) foundAgain = AppendRow(key, outline, row);

  const Statistics& statistics = interface.OwnStatistics();
  const int cols = static_cast<int>(columns.size());
  for (int col = 0; col < cols; ++col) {
    // Columns naming a statistic the interface lacks keep what they show.
    const Statistic* stat = statistics.Find(columns[static_cast<size_t>(col)]);
    if (stat) PassOver([&] { cells_.Fill(*stat, row, col); });
  }
  return foundAgain;
}

int TableRefresh::AppendRow(const std::string& key, bool outline, int& row) const {
  PassOver([&] { row = grid_.Rows(); });
  PassOver([&] { grid_.SetRows(row + 1); });
  const bool keyed = PassOver([&] { grid_.SetRowData(row, key); });
  if (outline) {
    PassOver([&] { grid_.SetRowOutlineLevel(row, 0); });
    PassOver([&] { grid_.SetIsSubtotal(row, true); });
  }
  return keyed ? row : 0;
}

void TableRefresh::MarkGroupHeads(const std::vector<int>& rows) const {
  for (const int row : rows) {
    if (row >= 1) PassOver([&] { grid_.SetIsSubtotal(row, true); });
  }
}

std::vector<std::string> TableRefresh::ColumnKeys() const {
  std::vector<std::string> keys;
  const int cols = grid_.Cols();
  keys.reserve(static_cast<size_t>(cols > 0 ? cols : 0));
  for (int col = 0; col < cols; ++col) keys.push_back(grid_.ColKey(col));
  return keys;
}

}  // namespace linkwatch
