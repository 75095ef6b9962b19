#include "platform/widgets/GridCellDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>

#include "platform/widgets/GridModel.h"

namespace linkwatch {
namespace {

QStyle* StyleOf(const QStyleOptionViewItem& option) {
  return option.widget ? option.widget->style() : QApplication::style();
}

bool HasText(const QModelIndex& index) { return !index.data(Qt::DisplayRole).toString().isEmpty(); }

bool IsCheckCell(const QModelIndex& index) {
  return index.data(Qt::CheckStateRole).isValid() && (index.flags() & Qt::ItemIsUserCheckable);
}

int OutlineIndent(const QModelIndex& index) {
  return (index.data(GridModel::OutlineLevelRole).toInt() + 1) * GridCellDelegate::kIndent;
}

}  // namespace

GridCellDelegate::GridCellDelegate(GridCellActions& actions, QObject* parent)
    : QStyledItemDelegate(parent), actions_(actions) {}

bool GridCellDelegate::InOutlineColumn(const QModelIndex& index) {
  return index.column() == 0 && index.data(GridModel::HasOutlineRole).toBool();
}

QRect GridCellDelegate::OutlineMarkRect(const QRect& cell, const QModelIndex& index) {
  const int level = index.data(GridModel::OutlineLevelRole).toInt();
  return QRect(cell.left() + level * kIndent, cell.top(), kIndent, cell.height());
}

QRect GridCellDelegate::CheckBoxRect(const QStyleOptionViewItem& option, const QModelIndex& index) {
  QStyleOptionViewItem opt = option;
  if (InOutlineColumn(index)) opt.rect.setLeft(opt.rect.left() + OutlineIndent(index));
  QStyle* style = StyleOf(option);
  if (HasText(index)) {
    opt.rect.adjust(kTextMargin, 0, -kTextMargin, 0);  // as paint() lays text cells out
    opt.features |= QStyleOptionViewItem::HasCheckIndicator;
    opt.text = index.data(Qt::DisplayRole).toString();
    return style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, option.widget);
  }
  const int width = style->pixelMetric(QStyle::PM_IndicatorWidth, &opt, option.widget);
  const int height = style->pixelMetric(QStyle::PM_IndicatorHeight, &opt, option.widget);
  return QStyle::alignedRect(opt.direction, Qt::AlignCenter, QSize(width, height), opt.rect);
}

void GridCellDelegate::PaintOutlineMark(QPainter* painter, const QRect& mark, bool expanded,
                                        const QColor& color) {
  const QPointF centre = QRectF(mark).center();
  const qreal half = 3.5;
  QPainterPath triangle;
  if (expanded) {  // pointing down: the group is open
    triangle.moveTo(centre.x() - half, centre.y() - half / 2);
    triangle.lineTo(centre.x() + half, centre.y() - half / 2);
    triangle.lineTo(centre.x(), centre.y() + half);
  } else {  // pointing right: the group is closed
    triangle.moveTo(centre.x() - half / 2, centre.y() - half);
    triangle.lineTo(centre.x() + half, centre.y());
    triangle.lineTo(centre.x() - half / 2, centre.y() + half);
  }
  triangle.closeSubpath();
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(Qt::NoPen);
  painter->setBrush(color);
  painter->drawPath(triangle);
  painter->restore();
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  QStyle* style = StyleOf(option);
  const QWidget* widget = option.widget;

  if (InOutlineColumn(index)) {
    // The row's background and selection span the whole cell, the mark and the
    // indentation included.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    if (index.data(GridModel::HasChildRowsRole).toBool()) {
      const bool selected = opt.state & QStyle::State_Selected;
      const QColor color = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
      PaintOutlineMark(painter, OutlineMarkRect(option.rect, index),
                       index.data(GridModel::ExpandedRole).toBool(), color);
    }
    opt.rect.setLeft(opt.rect.left() + OutlineIndent(index));
  }

  const bool hasPicture = !opt.icon.isNull();
  const bool hasCheck = opt.features & QStyleOptionViewItem::HasCheckIndicator;
  if (opt.text.isEmpty() && (hasPicture || hasCheck)) {
    // A picture or a check box alone: centred in the cell.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
    if (hasPicture) {
      const QPixmap pixmap = index.data(Qt::DecorationRole).value<QPixmap>();
      const QRect place = QStyle::alignedRect(opt.direction, Qt::AlignCenter,
                                              pixmap.deviceIndependentSize().toSize(), opt.rect);
      painter->drawPixmap(place, pixmap);
    }
    if (hasCheck) {
      QStyleOptionViewItem check = opt;
      check.rect = CheckBoxRect(option, index);
      check.state &= ~QStyle::State_HasFocus;
      check.state |= opt.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
      style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);
    }
    return;
  }
  // Text keeps a small margin from the grid lines; the background and the
  // selection still fill the whole cell.
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
  opt.rect.adjust(kTextMargin, 0, -kTextMargin, 0);
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

bool GridCellDelegate::editorEvent(QEvent* event, QAbstractItemModel*,
                                   const QStyleOptionViewItem& option, const QModelIndex& index) {
  const auto type = event->type();
  const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                     type == QEvent::MouseButtonDblClick;
  if (mouse) {
    const auto* click = static_cast<QMouseEvent*>(event);
    if (click->button() != Qt::LeftButton) return false;
    const QPoint at = click->position().toPoint();
    if (InOutlineColumn(index) && index.data(GridModel::HasChildRowsRole).toBool() &&
        OutlineMarkRect(option.rect, index).contains(at)) {
      if (type == QEvent::MouseButtonRelease) actions_.ToggleOutline(index);
      return true;  // a click on the mark neither selects nor edits
    }
    if (IsCheckCell(index) && CheckBoxRect(option, index).contains(at)) {
      if (type == QEvent::MouseButtonRelease) actions_.ToggleCellCheck(index);
      return type != QEvent::MouseButtonPress;  // a press still moves the cursor there
    }
    return false;
  }
  if (type == QEvent::KeyPress && IsCheckCell(index)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Space || key == Qt::Key_Select) {
      actions_.ToggleCellCheck(index);
      return true;
    }
  }
  return false;
}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
  // The grid's owner decides whether this cell may be edited (a statistic the
  // device lets the user write); no editor opens otherwise.
  if (!actions_.BeginCellEdit(index)) return nullptr;
  return QStyledItemDelegate::createEditor(parent, option, index);
}

void GridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  static const char* const kFilled = "linkwatchEditorFilled";
  if (editor->property(kFilled).toBool()) return;
  editor->setProperty(kFilled, true);
  QStyledItemDelegate::setEditorData(editor, index);
}

void GridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const {
  const QByteArray property = editor->metaObject()->userProperty().name();
  actions_.CommitCellEdit(editor->property(property.constData()).toString());
}

}  // namespace linkwatch
