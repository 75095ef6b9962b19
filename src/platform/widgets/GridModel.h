#pragma once
#include <QAbstractTableModel>
#include <QPixmap>
#include <QSet>
#include <QString>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/grid/MemoryGrid.h"

namespace linkwatch {

// The in-memory grid as a Qt item model. Grid row 0 is the header: it becomes
// the horizontal header, and grid rows 1 and up are model rows 0 and up. Columns
// are the grid's columns in display order.
//
// The model only reads the grid; the view passes the user's actions to the grid
// itself. Sync() announces the grid's current shape and contents to views; until
// then the model keeps answering with the shape it last announced (cells beyond
// the grid read as empty), so a view never asks the grid for a cell it lacks.
//
// Sync() keeps Qt's model contract: it knows rows by their row key and columns by
// their column key (with a count for keys that repeat), so it reports rows and
// columns removed and inserted where the grid removed and inserted them, and a
// sort or column move as a layout change that moves persistent indexes (the
// current cell, an open editor, the selection) along with their rows and columns.
class GridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  // Extra item data roles, for the delegate and for hosts and tests that read
  // what the view shows.
  enum Role : int {
    SortValueRole = Qt::UserRole + 1,  // the cell's sort value, as set by the control
    RowKeyRole,                        // the row's key ("I:7", "C:1.4...")
    OutlineLevelRole,                  // 0 for interface rows, deeper for child rows
    HasChildRowsRole,                  // the row heads rows of a deeper level
    ExpandedRole,                      // the row's child rows are shown
    HasOutlineRole,                    // the table has child rows at all
    PictureNameRole,                   // the name of the cell's picture, if any
  };

  static constexpr int kIconSize = 16;

  explicit GridModel(MemoryGrid& grid, QObject* parent = nullptr);

  static int GridRow(int modelRow) { return modelRow + 1; }
  static int ModelRow(int gridRow) { return gridRow - 1; }

  MemoryGrid& Grid() const { return grid_; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Tells views about the grid as it is now: rows and columns added or dropped,
  // and every cell and header possibly changed.
  void Sync();

  // Outline groups the user collapsed, remembered by row key so that sorting
  // and refreshing keep them collapsed.
  bool IsCollapsed(int gridRow) const;
  void SetCollapsed(int gridRow, bool collapsed);
  bool HasOutline() const { return hasOutline_; }
  bool HasChildRows(int gridRow) const;

  // The picture drawn for a grid picture, kept while the picture is in use.
  QPixmap PixmapOf(const std::shared_ptr<const Picture>& picture, QSize size) const;

 private:
  bool InGrid(int gridRow, int col) const;
  QVariant CellData(int gridRow, int col, int role) const;
  // Where an announced row or column is in the grid now; -1 when the grid has
  // dropped it (or the announced shape is beyond the grid).
  int GridRowOf(int modelRow) const;
  int GridColOf(int modelCol) const;

  // The steps of Sync(), in this order (GridModelSync.cpp).
  void RemoveDropped(Qt::Orientation orientation);
  void Rearrange();
  void InsertNew(Qt::Orientation orientation, const std::vector<std::string>& wanted);

  MemoryGrid& grid_;
  // The rows and columns last announced to views, each by what makes it the same
  // row or column across the grid's changes, and where each is in the grid. Outside
  // Sync() model row r is grid row r + 1 and model column c grid column c.
  std::vector<std::string> rowIds_;
  std::vector<std::string> colIds_;
  std::vector<int> gridRows_;
  std::vector<int> gridCols_;
  bool hasOutline_ = false;
  QSet<QString> collapsed_;
  struct CachedPixmap {
    std::shared_ptr<const Picture> Source;  // keeps the key's address from being reused
    QSize Size;
    QPixmap Pixmap;
  };
  mutable std::unordered_map<const Picture*, CachedPixmap> pixmaps_;
};

}  // namespace linkwatch
