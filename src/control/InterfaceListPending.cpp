// PENDING: members of the control whose behaviour arrives with later work
// (starting and stopping, the poll cycle, device actions, row refresh and table
// interaction). Each one is declared in its place and does nothing yet, or
// answers its type's empty value, so hosts can already be written against them.
#include "control/InterfaceList.h"
#include "model/Interfaces.h"

namespace linkwatch {

}  // namespace linkwatch
