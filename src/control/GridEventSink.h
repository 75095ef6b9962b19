#pragma once
#include "components/GridEvents.h"
#include "control/InterfaceList.h"

namespace linkwatch {

// Receives the grid's events on behalf of its control (the control's own event
// names differ in meaning from the grid's, so it does not implement GridEvents
// itself).
class InterfaceList::GridEventSink : public GridEvents {
 public:
  explicit GridEventSink(InterfaceList& control) : control_(control) {}

  void ColumnMoved(int column, int position) override { control_.OnColumnMoved(column, position); }
  void BeforeEdit(int row, int column, bool& cancel) override {
    control_.OnBeforeEdit(row, column, cancel);
  }
  void AfterEdit(int row, int column) override { control_.OnAfterEdit(row, column); }
  void BeforeSort(int column, int& order) override { control_.OnBeforeSort(column, order); }
  void Compare(int row1, int row2, int& result) override {
    control_.OnCompare(row1, row2, result);
  }
  void SelectionChanged() override { control_.OnSelectionChanged(); }
  void MouseUp(int button, int shift, float x, float y) override {
    control_.OnMouseUp(button, shift, x, y);
  }

 private:
  InterfaceList& control_;
};

}  // namespace linkwatch
