#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/grid/GridCell.h"

namespace linkwatch {

// One row of the in-memory grid. Rows live at a fixed address for their whole
// life, so the key index can point at them while sorts, column drags and inserted
// child rows change their positions; Position is kept up to date by the grid.
struct GridRow {
  static constexpr int kDefaultHeight = -1;

  std::string Key;  // the row data
  // Empty until a cell of the row is first written, then one cell per column.
  std::vector<GridCell> Cells;
  int Position = 0;
  int Height = kDefaultHeight;
  int OutlineLevel = 0;
  bool Hidden = false;
  bool HeadsGroup = false;
  bool Collapsed = false;  // a group head whose child rows the view does not show
};

}  // namespace linkwatch
