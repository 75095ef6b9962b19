// The user's actions in the view, each passed on to the grid's user action
// members, which raise the grid's events to its owner (the control).
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QtGlobal>
#include <algorithm>
#include <climits>
#include <exception>
#include <optional>

#include "platform/widgets/GridCellValues.h"
#include "platform/widgets/GridHeader.h"
#include "platform/widgets/GridModel.h"
#include "platform/widgets/GridView.h"
#include "platform/widgets/GridViewSync.h"

namespace linkwatch {
namespace {

// Mouse buttons and shift keys as the grid's mouse-up event counts them.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;
constexpr int kShiftKey = 1;
constexpr int kControlKey = 2;
constexpr int kAltKey = 4;

int ButtonCode(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return kLeftButton;
    case Qt::RightButton:
      return kRightButton;
    case Qt::MiddleButton:
      return kMiddleButton;
    default:
      return 0;
  }
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
  int code = 0;
  if (modifiers & Qt::ShiftModifier) code |= kShiftKey;
  if (modifiers & Qt::ControlModifier) code |= kControlKey;
  if (modifiers & Qt::AltModifier) code |= kAltKey;
  return code;
}

// The order the rows show after a custom sort: largest sort value on top reads
// as descending.
Qt::SortOrder ShownOrder(const MemoryGrid& grid, int col) {
  std::optional<double> first, last;
  for (int row = 1; row < grid.Rows(); ++row) {
    if (const auto value = NumberOf(grid.Cell(kCellSort, row, col))) {
      if (!first) first = value;
      last = value;
    }
  }
  return first && last && *first > *last ? Qt::DescendingOrder : Qt::AscendingOrder;
}

}  // namespace

template <typename Action>
bool GridView::Act(Action&& action) {
  try {
    action();
    return true;
  } catch (const std::exception& error) {
    const QString message = QString::fromUtf8(error.what());
    qWarning("Linkwatch grid: %s", qPrintable(message));
    emit ActionFailed(message);
    return false;
  }
}

bool GridView::BeginCellEdit(const QModelIndex& index) {
  bool allowed = false;
  Act([&] { allowed = grid_.BeginEdit(GridModel::GridRow(index.row()), index.column()); });
  return allowed;
}

void GridView::CommitCellEdit(const QString& text) {
  // The control writes the value to the device before this returns; the view
  // looks at the grid again once the editor has closed.
  Act([&] { grid_.CommitEdit(text.toStdString()); });
  ScheduleRefresh();
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  QTableView::closeEditor(editor, hint);
  if (grid_.Editing()) grid_.CancelEdit();  // closed without a commit
}

void GridView::ToggleCellCheck(const QModelIndex& index) {
  Act([&] { grid_.ToggleCheck(GridModel::GridRow(index.row()), index.column()); });
  ScheduleRefresh();
}

void GridView::ToggleOutline(const QModelIndex& index) {
  const int gridRow = GridModel::GridRow(index.row());
  SetExpanded(gridRow, !IsExpanded(gridRow));
}

void GridView::OnSectionMoved(int, int from, int to) {
  if (syncing_ > 0) return;
  {
    // The header goes on showing the grid's order; the grid moves the column.
    SyncScope scope(syncing_);
    header_->moveSection(to, from);
  }
  Act([&] { grid_.DragColumn(from, to); });
  Refresh();
}

void GridView::OnSectionClicked(int col) {
  if (syncing_ > 0) return;
  int order = MemoryGrid::kSortNone;
  if (Act([&] { order = grid_.ClickHeader(col); })) RememberSortOrder(col, order);
  Refresh();
}

void GridView::RememberSortOrder(int col, int order) {
  switch (order) {
    case MemoryGrid::kSortAscending:
      sortOrder_ = Qt::AscendingOrder;
      break;
    case MemoryGrid::kSortDescending:
      sortOrder_ = Qt::DescendingOrder;
      break;
    case kGridSortCustom:
      sortOrder_ = ShownOrder(grid_, col);
      break;
    default:
      sortKey_.clear();
      return;
  }
  sortKey_ = QString::fromStdString(grid_.ColKey(col));
}

void GridView::OnSectionResized(int col, int, int newSize) {
  if (syncing_ > 0 || col >= grid_.Cols()) return;
  userWidths_.insert(QString::fromStdString(grid_.ColKey(col)), newSize);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTableView::currentChanged(current, previous);
  if (syncing_ == 0) NoteSelectionChange();
}

void GridView::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
  QTableView::selectionChanged(selected, deselected);
  if (syncing_ == 0) NoteSelectionChange();
}

void GridView::NoteSelectionChange() {
  // Qt moves the current cell and the selected block in separate steps; the grid
  // (and the control's SelectionChanged) hears of the whole change once.
  selectionUnsent_ = true;
  if (userActions_ > 0 || selectionFlushQueued_) return;
  selectionFlushQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        selectionFlushQueued_ = false;
        FlushSelection();
      },
      Qt::QueuedConnection);
}

void GridView::FlushSelection() {
  if (!selectionUnsent_) return;
  selectionUnsent_ = false;
  SendSelectionToGrid();
}

template <typename Handler>
void GridView::AsUserAction(Handler&& handler) {
  ++userActions_;
  try {
    handler();
  } catch (...) {
    --userActions_;
    throw;
  }
  --userActions_;
  if (userActions_ == 0) FlushSelection();
}

void GridView::SendSelectionToGrid() {
  // Qt's current cell is where the user's selection ends (the clicked cell, the
  // end of a drag or of shift+arrows); the grid's cursor is the block's
  // opposite corner, where the selection began.
  const QModelIndex end = currentIndex();
  if (!end.isValid()) return;
  int row2 = end.row(), col2 = end.column();
  int row1 = row2, col1 = col2;
  const QItemSelection selection = selectionModel()->selection();
  if (!selection.isEmpty()) {
    int top = INT_MAX, bottom = -1, left = INT_MAX, right = -1;
    for (const QItemSelectionRange& range : selection) {
      top = std::min(top, range.top());
      bottom = std::max(bottom, range.bottom());
      left = std::min(left, range.left());
      right = std::max(right, range.right());
    }
    if (row2 >= top && row2 <= bottom && col2 >= left && col2 <= right) {
      row1 = row2 == top ? bottom : top;
      col1 = col2 == left ? right : left;
    }
  }
  Act([&] {
    grid_.Select(GridModel::GridRow(row1), col1, GridModel::GridRow(row2), col2);
  });
}

void GridView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    // The right button leaves the selection to the control (on mouse-up).
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  AsUserAction([&] { QTableView::mousePressEvent(event); });
}

void GridView::mouseMoveEvent(QMouseEvent* event) {
  AsUserAction([&] { QTableView::mouseMoveEvent(event); });
}

void GridView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) {
    AsUserAction([&] { QTableView::mouseReleaseEvent(event); });
  }
  const QPointF at = event->position();
  const int row = rowAt(static_cast<int>(at.y()));
  const int col = columnAt(static_cast<int>(at.x()));
  RaiseMouseUp(event, viewport()->mapTo(this, at), row < 0 ? -1 : GridModel::GridRow(row), col);
}

void GridView::OnHeaderMouseReleased(QMouseEvent* event) {
  const QPointF at = event->position();
  const int col = header_->logicalIndexAt(static_cast<int>(at.x()));
  RaiseMouseUp(event, header_->viewport()->mapTo(this, at), 0, col);
}

void GridView::RaiseMouseUp(QMouseEvent* event, QPointF at, int gridRow, int col) {
  if (gridRow >= grid_.Rows()) gridRow = -1;
  if (col >= grid_.Cols()) col = -1;
  Act([&] {
    grid_.SetMousePosition(gridRow, col);
    grid_.MouseUp(ButtonCode(event->button()), ShiftCode(event->modifiers()),
                  static_cast<float>(at.x()), static_cast<float>(at.y()));
  });
  Refresh();  // the control may have moved the cursor (right click)
}

bool GridView::event(QEvent* event) {
  // Copy and select-all belong to the grid while it has the focus, also where
  // the host's window has the same keys as shortcuts.
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
      event->accept();
      return true;
    }
  }
  return QTableView::event(event);
}

void GridView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    emit CopyRequested();
    return;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    emit SelectAllRequested();
    return;
  }
  AsUserAction([&] { HandleKey(event); });
}

void GridView::HandleKey(QKeyEvent* event) {
  const QModelIndex cursor = currentIndex();
  if (cursor.isValid() && (event->key() == Qt::Key_Plus || event->key() == Qt::Key_Minus)) {
    const int gridRow = GridModel::GridRow(cursor.row());
    if (model_->HasChildRows(gridRow)) {
      SetExpanded(gridRow, event->key() == Qt::Key_Plus);
      return;
    }
  }
  QTableView::keyPressEvent(event);
}

}  // namespace linkwatch
