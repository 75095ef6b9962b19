#pragma once
#include <functional>
#include <string>
#include <vector>

#include "common/KeyedCollection.h"
#include "components/GridSurface.h"

namespace linkwatch {

class CellFiller;
class ChildRows;
class Interface;
class Interfaces;

// Brings the grid up to date with the data model after a poll: one row per
// interface, found again by its key wherever sorting or dragging left it and
// appended below the others when new; every cell whose column names a statistic
// of the interface is filled; and once any interface has children, interface
// rows head outline groups with their children's rows beneath.
//
// A refresh never fails: a step that throws is passed over and the next one
// runs, and repainting is always resumed at the end.
class TableRefresh {
 public:
  // grid, cells and children must outlive the refresh; selectionChanged runs once
  // at the end of every refresh.
  TableRefresh(GridSurface& grid, const CellFiller& cells, const ChildRows& children,
               std::function<void()> selectionChanged)
      : grid_(grid),
        cells_(cells),
        children_(children),
        selectionChanged_(std::move(selectionChanged)) {}

  void Refresh(const Interfaces& interfaces) const;

  // True when at least one interface has a child entry.
  static bool AnyChildren(const Interfaces& interfaces);

 private:
  // Both return the interface's row when it was found or appended (0 otherwise).
  int RefreshInterfaceRow(Interface& interface, const std::vector<HashedKey>& columns,
                          bool outline, int& row) const;
  int AppendRow(const std::string& key, bool outline, int& row) const;
  void MarkGroupHeads(const std::vector<int>& rows) const;
  std::vector<std::string> ColumnKeys() const;

  GridSurface& grid_;
  const CellFiller& cells_;
  const ChildRows& children_;
  std::function<void()> selectionChanged_;
};

}  // namespace linkwatch
