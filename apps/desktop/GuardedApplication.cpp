#include "GuardedApplication.h"

#include "common/EventGuard.h"

namespace linkwatch::desktop {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  EventGuard::Call("a window event", [&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace linkwatch::desktop
