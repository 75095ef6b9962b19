#pragma once

namespace linkwatch {

// What the grid tells its owner. Rows and columns count from 0; row 0 is the
// header. Arguments by reference may be changed by the handler.
class GridEvents {
 public:
  virtual ~GridEvents() = default;

  virtual void ColumnMoved(int column, int position) = 0;
  virtual void BeforeEdit(int row, int column, bool& cancel) = 0;
  virtual void AfterEdit(int row, int column) = 0;
  // order: in, the grid's order code; out, kGridSortCustom to sort through Compare.
  virtual void BeforeSort(int column, int& order) = 0;
  // result: negative puts row1 first, 0 equal, positive row2 first.
  virtual void Compare(int row1, int row2, int& result) = 0;
  virtual void SelectionChanged() = 0;
  virtual void MouseUp(int button, int shift, float x, float y) = 0;
};

}  // namespace linkwatch
