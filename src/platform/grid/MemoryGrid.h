#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "components/GridSurface.h"
#include "components/TextMeasure.h"
#include "platform/grid/GridColumn.h"
#include "platform/grid/GridRow.h"
#include "platform/grid/RowKeyIndex.h"

namespace linkwatch {

// The grid that holds the table, headless and in memory; a view draws it and
// forwards the user's actions to the "user action" members below, which raise
// the grid's events. Everything else is the GridSurface the control drives.
//
// - Rows are found by key in constant time (FindRow), hidden rows included, and
//   keep being found after sorts, column drags, appended rows and inserted child
//   rows. Cells are stored compactly; a row gets its cells when one is first set.
// - Positions outside the grid throw std::out_of_range, unknown codes and values
//   of the wrong kind std::invalid_argument; the grid is then unchanged.
// - Only the user action members raise events. The control's own calls
//   (SetRow, SetRowSel, ...) change the selection silently.
class MemoryGrid : public GridSurface {
 public:
  static constexpr int kMaxRows = 1'000'000;
  static constexpr int kMaxCols = 10'000;
  static constexpr int kMaxOutlineLevel = 255;
  // Order codes of BeforeSort besides kGridSortCustom: the grid proposes
  // ascending, or descending when the column was last sorted ascending. The
  // handler may answer any of them; kSortNone (or an unknown code) sorts nothing.
  static constexpr int kSortNone = 0;
  static constexpr int kSortAscending = 1;
  static constexpr int kSortDescending = 2;
  static constexpr int64_t kDefaultBackColor = 0xFFFFFF;

  struct Bounds {
    int Left = 0, Top = 0, Width = 0, Height = 0;
  };

  // measure: fits column widths in its pixels; without one (nullptr) widths are
  // in characters. Not owned; it must outlive the grid.
  explicit MemoryGrid(const TextMeasure* measure = nullptr);
  ~MemoryGrid() override;
  MemoryGrid(const MemoryGrid&) = delete;
  MemoryGrid& operator=(const MemoryGrid&) = delete;

  // GridSurface
  int Rows() const override { return static_cast<int>(rows_.size()); }
  void SetRows(int rows) override;
  int Cols() const override { return static_cast<int>(columns_.size()); }
  void SetCols(int cols) override;
  void SetFixedRows(int rows) override;
  void SetFixedCols(int cols) override;
  int Row() const override { return row_; }
  void SetRow(int row) override;
  int Col() const override { return col_; }
  void SetCol(int col) override;
  int RowSel() const override { return rowSel_; }
  void SetRowSel(int row) override;
  int ColSel() const override { return colSel_; }
  void SetColSel(int col) override;
  int MouseRow() const override { return mouseRow_; }
  int MouseCol() const override { return mouseCol_; }
  void SetRedraw(int code) override;
  std::string Clip() const override;
  void GetSelection(int& row1, int& col1, int& row2, int& col2) const override;
  std::string RowData(int row) const override { return RowAt(row).Key; }
  void SetRowData(int row, const std::string& key) override;
  std::string ColKey(int col) const override { return ColumnAt(col).Key; }
  void SetColKey(int col, const std::string& key) override { ColumnAt(col).Key = key; }
  int FindRow(const std::string& key) const override;
  GridValue Cell(int attribute, int row, int col) const override;
  void SetCell(int attribute, int row, int col, const GridValue& value) override;
  void SetRowHeight(int row, int height) override;
  void SetColSetting(int col, int value) override { ColumnAt(col).Setting = value; }
  void AutoSize(int firstCol, int lastCol) override;
  bool RowHidden(int row) const override { return RowAt(row).Hidden; }
  void SetRowHidden(int row, bool hidden) override { RowAt(row).Hidden = hidden; }
  void SetRowOutlineLevel(int row, int level) override;
  void SetIsSubtotal(int row, bool heads) override { RowAt(row).HeadsGroup = heads; }
  int AddChild(int parentRow, int relation, const std::string& text,
               const std::string& key) override;
  int64_t BackColorStandard() const override { return backColor_; }
  void Move(int left, int top, int width, int height) override;
  void SetSetting(int id, const GridValue& value) override { settings_[id] = value; }
  GridValue Setting(int id) const override;
  void SetEvents(GridEvents* events) override { events_ = events; }

  // What a view draws.
  int FixedRows() const { return fixedRows_; }
  int FixedCols() const { return fixedCols_; }
  bool RedrawSuspended() const { return redrawSuspends_ > 0; }
  int RedrawSuspendCount() const { return redrawSuspends_; }
  std::string CellText(int row, int col) const;
  int RowHeight(int row) const { return RowAt(row).Height; }  // kDefaultHeight until set
  int ColSetting(int col) const { return ColumnAt(col).Setting; }
  int ColWidth(int col) const { return ColumnAt(col).Width; }  // kDefaultWidth until fitted
  void SetColWidth(int col, int width);
  int OutlineLevel(int row) const { return RowAt(row).OutlineLevel; }
  bool IsSubtotal(int row) const { return RowAt(row).HeadsGroup; }
  // A group head whose child rows (the rows below it at a deeper level) the view
  // shows collapsed; the view keeps this up to date, and the selection text
  // leaves such rows out as it leaves out hidden rows. The flag moves with its row.
  bool RowCollapsed(int row) const { return RowAt(row).Collapsed; }
  void SetRowCollapsed(int row, bool collapsed) { RowAt(row).Collapsed = collapsed; }
  const Bounds& Placement() const { return placement_; }
  void SetBackColorStandard(int64_t color);
  bool Editing() const { return edit_.has_value(); }

  // User actions: what the user does through a view (or a test acting as the user).
  // The cell under the mouse; -1 when the mouse is outside the rows or columns.
  void SetMousePosition(int row, int col);
  // A click on a cell: cursor and selection end both go there.
  void SetCursor(int row, int col);
  // Selects the block from (row1, col1), the cursor, to (row2, col2).
  void Select(int row1, int col1, int row2, int col2);
  // Moves column `from` to position `to` with its key, setting, width and cells;
  // raises ColumnMoved(from, to).
  void DragColumn(int from, int to);
  // Raises BeforeSort(col, order) and sorts the body rows (below the fixed rows)
  // by the order code the handler leaves; returns that code.
  int ClickHeader(int col);
  // Raises BeforeEdit; true when the edit may go on. Fixed cells cannot be edited.
  bool BeginEdit(int row, int col);
  // Ends the edit begun by BeginEdit: sets the cell's text, raises AfterEdit.
  // False when no edit was going on.
  bool CommitEdit(const std::string& text);
  void CancelEdit() { edit_.reset(); }
  // A click on a check box: raises BeforeEdit and, unless cancelled, flips the
  // check state and raises AfterEdit. False when cancelled or the cell has none.
  bool ToggleCheck(int row, int col);
  // A mouse button released over the grid; raises MouseUp with these values.
  void MouseUp(int button, int shift, float x, float y);

 private:
  struct PendingEdit {
    const GridRow* Row;
    int Col;
  };

  GridRow& RowAt(int row);
  const GridRow& RowAt(int row) const;
  GridColumn& ColumnAt(int col);
  const GridColumn& ColumnAt(int col) const;
  GridCell& CellForWrite(int row, int col);
  const GridCell& CellAt(int row, int col) const;
  void CheckNotSorting() const;
  void Renumber(size_t from);
  void ChangeSelection(int row1, int col1, int row2, int col2);
  void SortBody(int col, int order);

  std::vector<std::unique_ptr<GridRow>> rows_;
  std::vector<GridColumn> columns_;
  RowKeyIndex keys_;
  const TextMeasure* measure_;
  int fixedRows_ = 0, fixedCols_ = 0;
  int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
  int mouseRow_ = -1, mouseCol_ = -1;
  int redrawSuspends_ = 0;
  int64_t backColor_ = kDefaultBackColor;
  Bounds placement_;
  std::unordered_map<int, GridValue> settings_;
  GridEvents* events_ = nullptr;  // not owned
  bool sorting_ = false;
  int lastSortCol_ = -1;
  int lastSortOrder_ = kSortNone;
  std::optional<PendingEdit> edit_;
};

}  // namespace linkwatch
