#pragma once
#include <QStyledItemDelegate>

#include "platform/widgets/GridCellActions.h"

namespace linkwatch {

// Draws and edits the grid's cells:
// - pictures and check boxes alone in a cell are centred (the control places
//   them so); a check box with text sits before the text;
// - in the first column of a table with child rows, rows are indented by their
//   outline level and group heads show an expand or collapse mark;
// - multi-line texts keep their line breaks;
// - edits, check box clicks and outline clicks go to the GridCellActions.
class GridCellDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  static constexpr int kIndent = 16;  // per outline level, and the width of the mark
  static constexpr int kTextMargin = 3;  // between a cell's text and its grid lines

  GridCellDelegate(GridCellActions& actions, QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  // Fills a new editor with the cell's text; later refreshes of the table leave
  // what the user is typing alone.
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

  // Where a cell's check box is, and where the outline mark of a row is.
  static QRect CheckBoxRect(const QStyleOptionViewItem& option, const QModelIndex& index);
  static QRect OutlineMarkRect(const QRect& cell, const QModelIndex& index);

 protected:
  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

 private:
  static bool InOutlineColumn(const QModelIndex& index);
  static void PaintOutlineMark(QPainter* painter, const QRect& mark, bool expanded,
                               const QColor& color);

  GridCellActions& actions_;
};

}  // namespace linkwatch
