#include "GridContextMenu.h"

#include <QAction>
#include <QKeySequence>

namespace linkwatch::desktop {

GridContextMenu::GridContextMenu(QWidget* parent) : QMenu(parent) {
  enable_ = addAction(tr("&Enable Interface"));
  enable_->setToolTip(tr("Set the interface's administrative status to up on the device"));
  shutDown_ = addAction(tr("Shut &Down Interface…"));
  shutDown_->setToolTip(tr("Set the interface's administrative status to down on the device"));
  addSeparator();
  hide_ = addAction(tr("&Hide Selected"));
  showAll_ = addAction(tr("Show &All"));
  addSeparator();
  copy_ = addAction(tr("&Copy"));
  copy_->setShortcut(QKeySequence::Copy);
  selectAll_ = addAction(tr("Select A&ll"));
  selectAll_->setShortcut(QKeySequence::SelectAll);
  // Ctrl+C and Ctrl+A copy and select in the grid from anywhere in the window;
  // a text field with the focus keeps them for its own text.
  for (QAction* action : {copy_, selectAll_}) action->setShortcutContext(Qt::WindowShortcut);
}

void GridContextMenu::UpdateFor(bool interfaceChosen, bool canWrite, bool rowsHidden) {
  enable_->setEnabled(interfaceChosen && canWrite);
  shutDown_->setEnabled(interfaceChosen && canWrite);
  showAll_->setEnabled(rowsHidden);
}

}  // namespace linkwatch::desktop
