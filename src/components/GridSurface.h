#pragma once
#include <cstdint>
#include <string>

#include "components/GridEvents.h"
#include "components/GridValue.h"

namespace linkwatch {

// The grid that shows the table: rows and columns count from 0, row 0 is the
// header row. Rows carry their key as row data and columns carry statistic names
// as column keys; rows and columns are always found again by key.
//
// Callers rely on this: raising the row count appends empty rows and keeps the
// others; FindRow also finds hidden rows; a hidden row keeps its index; dragging a
// column carries its key and cells along; after BeforeSort answers
// kGridSortCustom the grid orders rows by asking Compare.
class GridSurface {
 public:
  virtual ~GridSurface() = default;

  virtual int Rows() const = 0;  // header included
  virtual void SetRows(int rows) = 0;
  virtual int Cols() const = 0;
  virtual void SetCols(int cols) = 0;
  virtual void SetFixedRows(int rows) = 0;
  virtual void SetFixedCols(int cols) = 0;

  // Cursor cell, and the cell where the selection ends.
  virtual int Row() const = 0;
  virtual void SetRow(int row) = 0;
  virtual int Col() const = 0;
  virtual void SetCol(int col) = 0;
  virtual int RowSel() const = 0;
  virtual void SetRowSel(int row) = 0;
  virtual int ColSel() const = 0;
  virtual void SetColSel(int col) = 0;
  // Cell under the mouse.
  virtual int MouseRow() const = 0;
  virtual int MouseCol() const = 0;

  virtual void SetRedraw(int code) = 0;  // GridRedraw
  // The selected block as text: cells separated by a tab, rows by a carriage return.
  virtual std::string Clip() const = 0;
  // First row, first column, last row, last column of the selection.
  virtual void GetSelection(int& row1, int& col1, int& row2, int& col2) const = 0;

  virtual std::string RowData(int row) const = 0;
  virtual void SetRowData(int row, const std::string& key) = 0;
  virtual std::string ColKey(int col) const = 0;
  virtual void SetColKey(int col, const std::string& key) = 0;
  // Row whose row data equals key, hidden rows included; below 1 when none.
  virtual int FindRow(const std::string& key) const = 0;

  virtual GridValue Cell(int attribute, int row, int col) const = 0;  // GridCellAttribute
  virtual void SetCell(int attribute, int row, int col, const GridValue& value) = 0;

  virtual void SetRowHeight(int row, int height) = 0;
  virtual void SetColSetting(int col, int value) = 0;  // always 1
  virtual void AutoSize(int firstCol, int lastCol) = 0;
  virtual bool RowHidden(int row) const = 0;
  virtual void SetRowHidden(int row, bool hidden) = 0;

  // Outline: the level of a row (0 for interface rows), whether it heads a group,
  // and adding a child row under a row's node. AddChild takes the relation code
  // kGridRelationChild, an empty text, the key of the new row and no picture; it
  // returns the new row's index and the key becomes that row's row data.
  virtual void SetRowOutlineLevel(int row, int level) = 0;
  virtual void SetIsSubtotal(int row, bool heads) = 0;
  virtual int AddChild(int parentRow, int relation, const std::string& text,
                       const std::string& key) = 0;

  virtual int64_t BackColorStandard() const = 0;  // 0x00BBGGRR
  virtual void Move(int left, int top, int width, int height) = 0;
  // Set-once settings by id; their visual meaning is the grid's own.
  virtual void SetSetting(int id, const GridValue& value) = 0;
  virtual GridValue Setting(int id) const = 0;

  // The one receiver of the grid's events; none until set.
  virtual void SetEvents(GridEvents* events) = 0;
};

}  // namespace linkwatch
