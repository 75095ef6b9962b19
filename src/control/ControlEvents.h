#pragma once

namespace linkwatch {

// Dispatch ids of the InterfaceList events, in the order of the control's event
// interface.
enum class ControlEvent : int {
  PollTimer = 1,          // each timer tick; AutoUpdate by reference
  Status = 2,             // end of a poll cycle and StopMonitoring; Active by reference
  SystemMIBComplete = 3,  // the system group has been read
  RearrangedColumns = 4,  // the user dragged a column; Col, Position
  SelectionChanged = 5,   // the grid's selection changed
  MouseUp = 6,            // a mouse button was released over the grid; Button, Shift, x, y
};

}  // namespace linkwatch
