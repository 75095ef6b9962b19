#pragma once
#include <QApplication>

namespace linkwatch::desktop {

// The desktop's application object: whatever an event handler or a slot it runs
// throws stops at the event's delivery (EventGuard reports it), so a failing
// action never ends the program. The control's own dispatches (replies, timer
// ticks, resolver answers, grid events) are guarded where they happen; this is the
// net under the window's own handlers.
class GuardedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace linkwatch::desktop
