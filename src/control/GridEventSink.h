#pragma once
#include "common/EventGuard.h"
#include "components/GridEvents.h"
#include "control/InterfaceList.h"

namespace linkwatch {

// Receives the grid's events on behalf of its control (the control's own event
// names differ in meaning from the grid's, so it does not implement GridEvents
// itself). The grid raises them from the user's actions in the event loop, so
// nothing the control or a host's handler throws goes back to the grid: a failed
// before-edit cancels the edit and a failed comparison calls the rows equal.
class InterfaceList::GridEventSink : public GridEvents {
 public:
  explicit GridEventSink(InterfaceList& control) : control_(control) {}

  void ColumnMoved(int column, int position) override {
    EventGuard::Call("a column move", [&] { control_.OnColumnMoved(column, position); });
  }
  void BeforeEdit(int row, int column, bool& cancel) override {
    if (!EventGuard::Call("the start of an edit",
                          [&] { control_.OnBeforeEdit(row, column, cancel); })) {
      cancel = true;
    }
  }
  void AfterEdit(int row, int column) override {
    EventGuard::Call("an edited cell", [&] { control_.OnAfterEdit(row, column); });
  }
  void BeforeSort(int column, int& order) override {
    EventGuard::Call("a sort", [&] { control_.OnBeforeSort(column, order); });
  }
  void Compare(int row1, int row2, int& result) override {
    if (!EventGuard::Call("a row comparison", [&] { control_.OnCompare(row1, row2, result); })) {
      result = 0;
    }
  }
  void SelectionChanged() override {
    EventGuard::Call("a selection change", [&] { control_.OnSelectionChanged(); });
  }
  void MouseUp(int button, int shift, float x, float y) override {
    EventGuard::Call("a mouse release", [&] { control_.OnMouseUp(button, shift, x, y); });
  }

 private:
  InterfaceList& control_;
};

}  // namespace linkwatch
