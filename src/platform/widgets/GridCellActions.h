#pragma once
#include <QModelIndex>
#include <QString>

namespace linkwatch {

// What the user does to one cell through the cell delegate; the view passes each
// action on to the grid, which asks the control (before-edit, after-edit).
class GridCellActions {
 public:
  virtual ~GridCellActions() = default;

  // An editor is about to open: true when the grid's owner lets the edit begin.
  virtual bool BeginCellEdit(const QModelIndex& index) = 0;
  // The user finished typing: the text goes to the cell being edited.
  virtual void CommitCellEdit(const QString& text) = 0;
  // A click (or the space key) on a check box.
  virtual void ToggleCellCheck(const QModelIndex& index) = 0;
  // A click on the expand or collapse mark of an outline group.
  virtual void ToggleOutline(const QModelIndex& index) = 0;
};

}  // namespace linkwatch
