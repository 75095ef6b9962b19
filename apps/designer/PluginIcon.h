#pragma once
#include <QIcon>

namespace linkwatch {

// The control's icon in Designer's widget box: a small table with a header row
// and interface status marks.
QIcon InterfaceListIcon();

}  // namespace linkwatch
