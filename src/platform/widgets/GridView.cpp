// The view's picture of the grid: setting up, refreshing from the grid and
// painting the background. The user's actions are in GridViewActions.cpp.
#include "platform/widgets/GridView.h"

#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "platform/qt/PictureRenderer.h"
#include "platform/widgets/GridBackground.h"
#include "platform/widgets/GridCellDelegate.h"
#include "platform/widgets/GridCellValues.h"
#include "platform/widgets/GridHeader.h"
#include "platform/widgets/GridModel.h"
#include "platform/widgets/GridViewSync.h"

namespace linkwatch {
namespace {

constexpr int kSettingBackColor = 24;
constexpr int kSettingColumnWidthLimit = 174;
constexpr int kSettingBackgroundPicture = 201;
constexpr int kSettingBackgroundPlacement = 202;
constexpr int kCellPadding = 18;  // the style's text margins and the delegate's, both sides
constexpr int kRowPadding = 6;          // above and below a cell's lines
constexpr int kSortIndicatorSpace = 18;  // room for the header's sort arrow
constexpr int kResumeCheckMs = 50;

const char* const kStyleSheet = R"(
QTableView {
  gridline-color: #e2e5ea;
  selection-background-color: #cde3fb;
  selection-color: #000000;
}
QHeaderView::section {
  background-color: #f2f4f7;
  color: #1f2933;
  border: none;
  border-right: 1px solid #dde1e7;
  border-bottom: 1px solid #c5cbd3;
  padding: 2px 6px;
}
)";

}  // namespace

GridView::GridView(MemoryGrid& grid, QWidget* parent)
    : QTableView(parent),
      grid_(grid),
      model_(new GridModel(grid, this)),
      header_(new GridHeader(this)),
      delegate_(new GridCellDelegate(*this, this)) {
  setHorizontalHeader(header_);
  setModel(model_);
  setItemDelegate(delegate_);
  setStyleSheet(QString::fromLatin1(kStyleSheet));
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  setCornerButtonEnabled(false);
  setWordWrap(false);
  setIconSize(QSize(GridModel::kIconSize, GridModel::kIconSize));
  viewport()->setAutoFillBackground(false);  // paintEvent draws the grid's background
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(8);
  verticalHeader()->setDefaultSectionSize(std::max(22, fontMetrics().height() + kRowPadding));
  header_->setMinimumSectionSize(24);
  header_->setSortIndicatorShown(false);

  // The control lays its table out on the grid's standard background colour.
  grid_.SetBackColorStandard(GridColorOf(palette().color(QPalette::Base)));

  // A header click sorts; Qt's table view would also select the whole column.
  disconnect(header_, &QHeaderView::sectionPressed, this, nullptr);
  disconnect(header_, &QHeaderView::sectionEntered, this, nullptr);
  connect(header_, &QHeaderView::sectionMoved, this, &GridView::OnSectionMoved);
  connect(header_, &QHeaderView::sectionClicked, this, &GridView::OnSectionClicked);
  connect(header_, &QHeaderView::sectionResized, this, &GridView::OnSectionResized);
  connect(header_, &GridHeader::MouseReleased, this, &GridView::OnHeaderMouseReleased);
  resumeCheck_.setSingleShot(true);
  resumeCheck_.setInterval(kResumeCheckMs);
  connect(&resumeCheck_, &QTimer::timeout, this, &GridView::Refresh);
  Refresh();
}

GridView::~GridView() = default;

void GridView::ScheduleRefresh() {
  if (refreshPending_) return;
  refreshPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        refreshPending_ = false;
        Refresh();
      },
      Qt::QueuedConnection);
}

void GridView::Refresh() {
  if (grid_.RedrawSuspended()) {
    // Keep showing the last picture until the grid's owner resumes painting.
    if (!updatesHeld_) {
      updatesHeld_ = true;
      setUpdatesEnabled(false);
    }
    resumeCheck_.start();
    return;
  }
  {
    SyncScope scope(syncing_);
    model_->Sync();
    SyncHeader();
    SyncRows();
    SyncColumns();
    // A selection the user made that is still on its way to the grid wins.
    if (!selectionUnsent_) SyncSelectionFromGrid();
  }
  if (updatesHeld_) {
    updatesHeld_ = false;
    setUpdatesEnabled(true);
  }
  viewport()->update();
}

void GridView::SyncHeader() {
  const int wanted = grid_.Rows() > 0 ? grid_.RowHeight(0) : -1;
  const int natural = header_->sizeHint().height();
  header_->setFixedHeight(std::max(natural, wanted));
  // The sort arrow follows the sorted column through drags; a new layout drops it.
  int sorted = -1;
  for (int col = 0; col < grid_.Cols() && !sortKey_.isEmpty(); ++col) {
    if (QString::fromStdString(grid_.ColKey(col)) == sortKey_) sorted = col;
  }
  header_->setSortIndicatorShown(sorted >= 0);
  if (sorted >= 0) header_->setSortIndicator(sorted, sortOrder_);
}

void GridView::SyncRows() {
  const int defaultHeight = verticalHeader()->defaultSectionSize();
  int collapsedLevel = INT_MAX;  // level of the collapsed group head the rows are under
  for (int gridRow = 1; gridRow < grid_.Rows(); ++gridRow) {
    const int row = GridModel::ModelRow(gridRow);
    const int level = grid_.OutlineLevel(gridRow);
    if (level <= collapsedLevel) collapsedLevel = INT_MAX;
    const bool underCollapsed = level > collapsedLevel;
    const bool hidden = grid_.RowHidden(gridRow) || underCollapsed;
    if (isRowHidden(row) != hidden) setRowHidden(row, hidden);
    // The grid knows the collapsed groups too: its selection text leaves out
    // what the user cannot see.
    const bool collapsedHead = model_->HasChildRows(gridRow) && model_->IsCollapsed(gridRow);
    if (grid_.RowCollapsed(gridRow) != collapsedHead) grid_.SetRowCollapsed(gridRow, collapsedHead);
    if (!underCollapsed && collapsedHead) collapsedLevel = level;
    const int height = grid_.RowHeight(gridRow);
    const int wanted = height > 0 ? std::max(defaultHeight, height + kRowPadding) : defaultHeight;
    if (rowHeight(row) != wanted) setRowHeight(row, wanted);
  }
}

void GridView::SyncColumns() {
  QFont bold = font();
  bold.setBold(true);
  const QFontMetrics headerMetrics(bold);
  const auto limit = WholeNumberOf(grid_.Setting(kSettingColumnWidthLimit));
  int deepest = 0;
  if (model_->HasOutline()) {
    for (int gridRow = 1; gridRow < grid_.Rows(); ++gridRow) {
      deepest = std::max(deepest, grid_.OutlineLevel(gridRow));
    }
  }
  for (int col = 0; col < grid_.Cols(); ++col) {
    const QString key = QString::fromStdString(grid_.ColKey(col));
    int wanted = 0;
    if (auto user = userWidths_.find(key); user != userWidths_.end()) {
      wanted = user.value();
    } else {
      const int fitted = grid_.ColWidth(col);
      int content = fitted > 0 ? fitted + kCellPadding : header_->defaultSectionSize();
      if (limit && *limit > 0) content = std::min<int>(content, static_cast<int>(*limit) + kCellPadding);
      if (col == 0 && model_->HasOutline()) content += (deepest + 1) * GridCellDelegate::kIndent;
      const QString title = QString::fromStdString(grid_.CellText(0, col));
      int titleWidth = 0;
      for (const QString& line : title.split(QLatin1Char('\n'))) {
        titleWidth = std::max(titleWidth, headerMetrics.horizontalAdvance(line));
      }
      wanted = std::max(content, titleWidth + kCellPadding + kSortIndicatorSpace);
    }
    if (columnWidth(col) != wanted) setColumnWidth(col, wanted);
  }
}

void GridView::SyncSelectionFromGrid() {
  QItemSelectionModel* selection = selectionModel();
  if (grid_.Rows() <= 1 || grid_.Cols() == 0) {
    selection->clear();
    return;
  }
  int row1 = 0, col1 = 0, row2 = 0, col2 = 0;
  grid_.GetSelection(row1, col1, row2, col2);
  if (row2 < 1) {  // only the header row: nothing of the body is selected
    selection->clear();
    return;
  }
  row1 = std::max(row1, 1);
  const QItemSelection block(model_->index(GridModel::ModelRow(row1), col1),
                             model_->index(GridModel::ModelRow(row2), col2));
  // Qt's current cell is the end of the selection (see SendSelectionToGrid).
  const QModelIndex cursor =
      model_->index(GridModel::ModelRow(std::max(grid_.RowSel(), 1)), grid_.ColSel());
  if (selection->selection() != block) selection->select(block, QItemSelectionModel::ClearAndSelect);
  if (selection->currentIndex() != cursor) {
    selection->setCurrentIndex(cursor, QItemSelectionModel::NoUpdate);
  }
}

bool GridView::IsExpanded(int gridRow) const { return !model_->IsCollapsed(gridRow); }

void GridView::SetExpanded(int gridRow, bool expanded) {
  if (gridRow < 1 || gridRow >= grid_.Rows()) return;
  model_->SetCollapsed(gridRow, !expanded);
  SyncScope scope(syncing_);
  SyncRows();
}

QRect GridView::CellRect(int gridRow, int col) const {
  if (gridRow == 0) {
    return QRect(header_->sectionViewportPosition(col), 0, header_->sectionSize(col),
                 header_->height());
  }
  return visualRect(model_->index(GridModel::ModelRow(gridRow), col));
}

const QImage& GridView::BackgroundImage() {
  const GridValue value = grid_.Setting(kSettingBackgroundPicture);
  const auto* picture = std::get_if<std::shared_ptr<const Picture>>(&value);
  const std::shared_ptr<const Picture> source = picture ? *picture : nullptr;
  if (source != backgroundSource_) {
    backgroundSource_ = source;
    backgroundImage_ = source ? RenderPicture(*source) : QImage();
  }
  return backgroundImage_;
}

void GridView::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(viewport());
    const QColor base = ColorOf(grid_.Setting(kSettingBackColor))
                            .value_or(palette().color(QPalette::Base));
    painter.fillRect(viewport()->rect(), base);
    const auto placement = WholeNumberOf(grid_.Setting(kSettingBackgroundPlacement));
    PaintBackground(painter, viewport()->rect(), BackgroundImage(),
                    static_cast<int>(placement.value_or(static_cast<int>(BackgroundPlacement::kTile))));
  }
  QTableView::paintEvent(event);
}

}  // namespace linkwatch
