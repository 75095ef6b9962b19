#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "components/GridSurface.h"

namespace linkwatch::fakes {

// A plain in-memory grid for core tests: every row keeps its row data, hidden flag,
// outline level, group-head flag, height and one attribute map per cell; columns
// keep their key and per-column setting. Set-once settings are kept by id and
// logged in the order they were set. FindRow scans; that is fine at test sizes.
//
// Besides the GridSurface members it offers what a user would do (drag a column,
// select, sort, click), raising the grid's events as the real grid does.
class FakeGrid : public GridSurface {
 public:
  struct Placement {
    int Left = 0, Top = 0, Width = 0, Height = 0;
  };

  ~FakeGrid() override;

  // GridSurface
  int Rows() const override { return static_cast<int>(rows_.size()); }
  void SetRows(int rows) override;
  int Cols() const override { return static_cast<int>(colKeys_.size()); }
  void SetCols(int cols) override;
  void SetFixedRows(int rows) override { fixedRows_ = rows; }
  void SetFixedCols(int cols) override { fixedCols_ = cols; }
  int Row() const override { return row_; }
  void SetRow(int row) override { row_ = row; }
  int Col() const override { return col_; }
  void SetCol(int col) override { col_ = col; }
  int RowSel() const override { return rowSel_; }
  void SetRowSel(int row) override { rowSel_ = row; }
  int ColSel() const override { return colSel_; }
  void SetColSel(int col) override { colSel_ = col; }
  int MouseRow() const override { return mouseRow_; }
  int MouseCol() const override { return mouseCol_; }
  void SetRedraw(int) override {}
  std::string Clip() const override;
  void GetSelection(int& row1, int& col1, int& row2, int& col2) const override;
  std::string RowData(int row) const override { return rows_.at(Index(row)).Data; }
  void SetRowData(int row, const std::string& key) override { rows_.at(Index(row)).Data = key; }
  std::string ColKey(int col) const override { return colKeys_.at(Index(col)); }
  void SetColKey(int col, const std::string& key) override { colKeys_.at(Index(col)) = key; }
  int FindRow(const std::string& key) const override;
  GridValue Cell(int attribute, int row, int col) const override;
  void SetCell(int attribute, int row, int col, const GridValue& value) override;
  void SetRowHeight(int row, int height) override { rows_.at(Index(row)).Height = height; }
  void SetColSetting(int col, int value) override { colSettings_.at(Index(col)) = value; }
  void AutoSize(int firstCol, int lastCol) override { autoSizeLog_.emplace_back(firstCol, lastCol); }
  bool RowHidden(int row) const override { return rows_.at(Index(row)).Hidden; }
  void SetRowHidden(int row, bool hidden) override { rows_.at(Index(row)).Hidden = hidden; }
  void SetRowOutlineLevel(int row, int level) override { rows_.at(Index(row)).Level = level; }
  void SetIsSubtotal(int row, bool heads) override { rows_.at(Index(row)).Heads = heads; }
  int AddChild(int parentRow, int relation, const std::string& text,
               const std::string& key) override;
  int64_t BackColorStandard() const override { return backColor_; }
  void Move(int left, int top, int width, int height) override;
  void SetSetting(int id, const GridValue& value) override;
  GridValue Setting(int id) const override;
  void SetEvents(GridEvents* events) override { events_ = events; }

  // What the grid holds, for assertions.
  int FixedRows() const { return fixedRows_; }
  int FixedCols() const { return fixedCols_; }
  std::string CellText(int row, int col) const;
  int RowHeight(int row) const { return rows_.at(Index(row)).Height; }  // -1 until set
  int ColSetting(int col) const { return colSettings_.at(Index(col)); }
  int OutlineLevel(int row) const { return rows_.at(Index(row)).Level; }
  const std::vector<std::pair<int, GridValue>>& SettingLog() const { return settingLog_; }
  const std::vector<std::pair<int, int>>& AutoSizeLog() const { return autoSizeLog_; }
  const std::vector<Placement>& Placements() const { return placements_; }
  GridEvents* Events() const { return events_; }

  // How the grid behaves.
  void SetBackColorStandard(int64_t color) { backColor_ = color; }
  void FailMoves(bool fail) { failMoves_ = fail; }  // Move throws while set

  // What a user does.
  void DragColumn(int from, int to);  // moves key, cells and setting; raises ColumnMoved
  void Select(int row1, int col1, int row2, int col2);  // raises SelectionChanged
  void SetMouseCell(int row, int col) { mouseRow_ = row, mouseCol_ = col; }
  void ClickUp(int button, int shift, float x, float y);  // raises MouseUp
  // Sorts rows 1..last by a column: through Compare when BeforeSort asks for it,
  // otherwise by cell text ascending. Returns the order code BeforeSort answered.
  int SortByColumn(int col);

  // Runs when the grid is destroyed (for ownership tests).
  std::function<void()> OnDestroyed;

 private:
  struct RowState {
    std::string Data;
    bool Hidden = false;
    int Level = 0;
    bool Heads = false;
    int Height = -1;
    std::vector<std::map<int, GridValue>> Cells;
  };

  static size_t Index(int position);
  RowState NewRow() const;

  std::vector<RowState> rows_;
  std::vector<std::string> colKeys_;
  std::vector<int> colSettings_;
  int fixedRows_ = 0, fixedCols_ = 0;
  int row_ = 0, col_ = 0, rowSel_ = 0, colSel_ = 0;
  int mouseRow_ = -1, mouseCol_ = -1;
  int64_t backColor_ = 0xFFFFFF;
  bool failMoves_ = false;
  std::map<int, GridValue> settings_;
  std::vector<std::pair<int, GridValue>> settingLog_;
  std::vector<std::pair<int, int>> autoSizeLog_;
  std::vector<Placement> placements_;
  GridEvents* events_ = nullptr;
};

}  // namespace linkwatch::fakes
