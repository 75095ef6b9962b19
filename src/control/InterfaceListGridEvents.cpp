// What the control does when the grid reports the user's actions.
#include "control/InterfaceList.h"

namespace linkwatch {

void InterfaceList::OnColumnMoved(int column, int position) {
  int32_t col = column;
  int32_t newPosition = position;
  RearrangedColumns.Raise(col, newPosition);
}

void InterfaceList::OnSelectionChanged() { SelectionChanged.Raise(); }

// PENDING (table interaction): editing rules, custom sorting and the right-click
// cursor move arrive with the table interaction work; until then the grid keeps
// its own behaviour and the host still hears about mouse releases.

void InterfaceList::OnBeforeEdit(int /*row*/, int /*column*/, bool& /*cancel*/) {}

void InterfaceList::OnAfterEdit(int /*row*/, int /*column*/) {}

void InterfaceList::OnBeforeSort(int /*column*/, int& /*order*/) {}

void InterfaceList::OnCompare(int /*row1*/, int /*row2*/, int& result) { result = 0; }

void InterfaceList::OnMouseUp(int button, int shift, float x, float y) {
  auto buttonCode = static_cast<int16_t>(button);
  auto shiftCode = static_cast<int16_t>(shift);
  MouseUp.Raise(buttonCode, shiftCode, x, y);
}

}  // namespace linkwatch
