#pragma once
#include <QHash>
#include <QImage>
#include <QTableView>
#include <QTimer>
#include <memory>

#include "platform/grid/MemoryGrid.h"
#include "platform/widgets/GridCellActions.h"

namespace linkwatch {

class GridCellDelegate;
class GridHeader;
class GridModel;

// The Qt Widgets view of the in-memory grid. It shows the grid: row 0 as the
// header (bold where the control asks for emphasis), cell texts with their
// colours, pictures, check boxes, row heights, multi-line texts, child rows
// indented under their group head with expand and collapse marks, hidden rows,
// the selected block and the background picture. It passes the user's actions
// to the grid's user action members, which raise the grid's events to the
// control:
//
// | The user                          | The grid                                  |
// |-----------------------------------|-------------------------------------------|
// | clicks or drags over cells        | Select (cursor, then the block's far end) |
// | clicks a header                   | ClickHeader (before-sort, compare)        |
// | drags a header                    | DragColumn (column moved)                 |
// | double-clicks or presses F2, types| BeginEdit, then CommitEdit or CancelEdit  |
// | clicks a check box, presses space | ToggleCheck (before-edit, after-edit)     |
// | releases a mouse button           | SetMousePosition, then MouseUp            |
// | presses Ctrl+C / Ctrl+A           | CopyRequested / SelectAllRequested        |
//
// A right click leaves the selection alone: the control moves the cursor on the
// mouse-up when that is right. A header click sorts and never selects the column.
// One user action (a press, a key, a step of a drag) gives the grid one new
// selection, once the view holds all of it. The view never changes the grid's
// cells itself.
//
// The grid does not announce its changes, so whoever changes it calls Refresh()
// (or ScheduleRefresh() from inside the control's events). While the grid's
// repaint is suspended the view keeps showing what it showed and looks again
// shortly after, until the grid resumes.
class GridView final : public QTableView, private GridCellActions {
  Q_OBJECT

 public:
  // The grid must outlive the view.
  explicit GridView(MemoryGrid& grid, QWidget* parent = nullptr);
  ~GridView() override;

  MemoryGrid& Grid() const { return grid_; }
  GridModel& Model() const { return *model_; }

  // Shows the grid as it is now.
  void Refresh();
  // One Refresh() from the event loop, however often this is called before it.
  void ScheduleRefresh();
  bool RefreshPending() const { return refreshPending_; }

  // Outline groups: whether the child rows under a group head are shown.
  bool IsExpanded(int gridRow) const;
  void SetExpanded(int gridRow, bool expanded);

  // Where a grid cell is drawn, in the viewport's coordinates (body rows), or
  // the header section of a column (row 0) in the header's coordinates.
  QRect CellRect(int gridRow, int col) const;

 signals:
  // The grid refused a user action (for example a handler of its events failed).
  void ActionFailed(const QString& message);
  // The user pressed the platform's copy or select-all keys (Ctrl+C, Ctrl+A) in
  // the view; its owner copies or selects through the control.
  void CopyRequested();
  void SelectAllRequested();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

 private:
  class SyncScope;

  // GridCellActions
  bool BeginCellEdit(const QModelIndex& index) override;
  void CommitCellEdit(const QString& text) override;
  void ToggleCellCheck(const QModelIndex& index) override;
  void ToggleOutline(const QModelIndex& index) override;

  void HandleKey(QKeyEvent* event);
  void OnSectionMoved(int logical, int from, int to);
  void OnSectionClicked(int col);
  void OnSectionResized(int col, int oldSize, int newSize);
  void OnHeaderMouseReleased(QMouseEvent* event);
  void RaiseMouseUp(QMouseEvent* event, QPointF at, int gridRow, int col);
  template <typename Action>
  bool Act(Action&& action);

  void SyncHeader();
  void SyncRows();
  void SyncColumns();
  void SyncSelectionFromGrid();
  void SendSelectionToGrid();
  // The view's selection changed: it goes to the grid once the user action that
  // changed it is over (FlushSelection), or from the event loop for a change made
  // outside one.
  void NoteSelectionChange();
  void FlushSelection();
  template <typename Handler>
  void AsUserAction(Handler&& handler);
  void RememberSortOrder(int col, int order);
  const QImage& BackgroundImage();

  MemoryGrid& grid_;
  GridModel* model_;
  GridHeader* header_;
  GridCellDelegate* delegate_;
  QTimer resumeCheck_;
  bool refreshPending_ = false;
  bool updatesHeld_ = false;
  int syncing_ = 0;
  int userActions_ = 0;           // user actions the view is handling now
  bool selectionUnsent_ = false;  // the view's selection differs from the grid's
  bool selectionFlushQueued_ = false;
  QHash<QString, int> userWidths_;  // columns the user resized, by key
  QString sortKey_;                 // the column last sorted, by key
  Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
  std::shared_ptr<const Picture> backgroundSource_;
  QImage backgroundImage_;
};

}  // namespace linkwatch
