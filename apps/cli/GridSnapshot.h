#pragma once
#include <string>
#include <vector>

#include "components/GridSurface.h"

namespace linkwatch::cli {

// One body row of the grid as printed.
struct SnapshotRow {
  std::string Key;    // "I:7" for an interface, "C:7.12" for a child row under it
  bool Child = false;
  std::vector<std::string> Cells;  // one per column, as PrintableCell makes them
  // Per cell: the value did not arrive in the last poll cycle (Freshness.h); empty
  // when not looked at.
  std::vector<bool> Stale;
  bool IsStale(size_t column) const { return column < Stale.size() && Stale[column]; }
};

// The grid as text, read once at the end of a poll cycle, so every output format
// prints the same thing: column keys, header texts and the visible body rows in
// grid order (child rows follow their interface row).
struct GridSnapshot {
  std::vector<std::string> ColumnKeys;
  std::vector<std::string> Headers;
  std::vector<SnapshotRow> Rows;

  static GridSnapshot Read(const GridSurface& grid);

  // The text of a cell: a check box prints "[x]" or "[ ]" (followed by a blank and
  // the cell's text when it has one), a cell with only a picture prints the
  // picture's name in braces, any other cell its text. Control characters (tab,
  // line feed, carriage return and the like) become blanks, so a cell is always
  // one line and one field.
  static std::string PrintableCell(const GridSurface& grid, int row, int col);

  // Replaces every ASCII control character by a blank.
  static std::string OneLine(std::string text);
};

}  // namespace linkwatch::cli
