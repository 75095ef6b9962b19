#pragma once
#include <QMenu>

class QAction;

namespace linkwatch::desktop {

// The grid's context menu. Its actions also fill the window's Interface menu, so
// everything the menu does is reachable from the keyboard. The window connects
// them and sets which are enabled before the menu shows (UpdateFor).
class GridContextMenu : public QMenu {
  Q_OBJECT

 public:
  explicit GridContextMenu(QWidget* parent = nullptr);

  // interfaceChosen: an interface row is selected; canWrite: monitoring runs;
  // rowsHidden: Show All has something to show.
  void UpdateFor(bool interfaceChosen, bool canWrite, bool rowsHidden);

  QAction& Enable() const { return *enable_; }
  QAction& ShutDown() const { return *shutDown_; }
  QAction& HideSelected() const { return *hide_; }
  QAction& ShowAll() const { return *showAll_; }
  QAction& Copy() const { return *copy_; }
  QAction& SelectAll() const { return *selectAll_; }

 private:
  QAction* enable_;
  QAction* shutDown_;
  QAction* hide_;
  QAction* showAll_;
  QAction* copy_;
  QAction* selectAll_;
};

}  // namespace linkwatch::desktop
