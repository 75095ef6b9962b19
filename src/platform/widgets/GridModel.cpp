#include "platform/widgets/GridModel.h"

#include <QFont>
#include <algorithm>

#include "platform/qt/PictureRenderer.h"
#include "platform/widgets/GridCellValues.h"

namespace linkwatch {
namespace {

// Pictures in use at once stay far below this; the cache starts afresh beyond it.
constexpr size_t kMaxCachedPictures = 512;
constexpr int64_t kPlacementCentre = 4;

QVariant VariantOf(const GridValue& value) {
  if (const auto* number = std::get_if<int64_t>(&value)) return QVariant::fromValue<qlonglong>(*number);
  if (const auto* number = std::get_if<double>(&value)) return *number;
  if (const auto* truth = std::get_if<bool>(&value)) return *truth;
  if (const auto* text = std::get_if<std::string>(&value)) return QString::fromStdString(*text);
  return {};
}

}  // namespace

GridModel::GridModel(MemoryGrid& grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {
  Sync();
}

int GridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rowIds_.size());
}

int GridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(colIds_.size());
}

int GridModel::GridRowOf(int modelRow) const {
  return modelRow >= 0 && static_cast<size_t>(modelRow) < gridRows_.size()
             ? gridRows_[static_cast<size_t>(modelRow)]
             : -1;
}

int GridModel::GridColOf(int modelCol) const {
  return modelCol >= 0 && static_cast<size_t>(modelCol) < gridCols_.size()
             ? gridCols_[static_cast<size_t>(modelCol)]
             : -1;
}

bool GridModel::InGrid(int gridRow, int col) const {
  return gridRow >= 0 && gridRow < grid_.Rows() && col >= 0 && col < grid_.Cols();
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int gridRow = GridRowOf(index.row());
  const int col = GridColOf(index.column());
  if (!InGrid(gridRow, col)) return {};
  switch (role) {
    case RowKeyRole:
      return QString::fromStdString(grid_.RowData(gridRow));
    case OutlineLevelRole:
      return grid_.OutlineLevel(gridRow);
    case HasChildRowsRole:
      return HasChildRows(gridRow);
    case ExpandedRole:
      return !IsCollapsed(gridRow);
    case HasOutlineRole:
      return hasOutline_;
    default:
      return CellData(gridRow, col, role);
  }
}

QVariant GridModel::CellData(int gridRow, int col, int role) const {
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return QString::fromStdString(grid_.CellText(gridRow, col));
    case Qt::ToolTipRole: {
      const std::string text = grid_.CellText(gridRow, col);
      return text.empty() ? QVariant() : QVariant(QString::fromStdString(text));
    }
    case Qt::ForegroundRole:
      if (const auto color = ColorOf(grid_.Cell(kCellForeColor, gridRow, col))) return *color;
      return {};
    case Qt::BackgroundRole:
      if (const auto color = ColorOf(grid_.Cell(kCellBackColor, gridRow, col))) return *color;
      return {};
    case Qt::FontRole:
      if (TruthOf(grid_.Cell(kCellFontBold, gridRow, col))) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::DecorationRole: {
      const GridValue value = grid_.Cell(kCellPicture, gridRow, col);
      const auto* picture = std::get_if<std::shared_ptr<const Picture>>(&value);
      if (!picture || !*picture) return {};
      return PixmapOf(*picture, QSize(kIconSize, kIconSize));
    }
    case PictureNameRole: {
      const GridValue value = grid_.Cell(kCellPicture, gridRow, col);
      const auto* picture = std::get_if<std::shared_ptr<const Picture>>(&value);
      if (!picture || !*picture) return {};
      return QString::fromStdString((*picture)->Name());
    }
    case Qt::CheckStateRole: {
      const auto state = WholeNumberOf(grid_.Cell(kCellChecked, gridRow, col));
      if (state == kGridChecked) return Qt::Checked;
      if (state == kGridUnchecked) return Qt::Unchecked;
      return {};
    }
    case Qt::TextAlignmentRole: {
      const auto placement = WholeNumberOf(grid_.Cell(kCellPictureAlignment, gridRow, col));
      if (placement == kPlacementCentre) return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    case SortValueRole:
      return VariantOf(grid_.Cell(kCellSort, gridRow, col));
    default:
      return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    return role == Qt::DisplayRole ? QVariant(section + 1) : QVariant();
  }
  const int col = GridColOf(section);
  if (!InGrid(0, col)) return {};
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromStdString(grid_.CellText(0, col));
    case Qt::ToolTipRole:
      return QString::fromStdString(grid_.ColKey(col));  // the statistic's name
    case Qt::FontRole:
      if (TruthOf(grid_.Cell(kCellFontBold, 0, col))) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case RowKeyRole:
      return QString::fromStdString(grid_.ColKey(col));
    default:
      return {};
  }
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  const int gridRow = GridRowOf(index.row());
  const int col = GridColOf(index.column());
  if (!InGrid(gridRow, col)) return flags;
  if (WholeNumberOf(grid_.Cell(kCellChecked, gridRow, col))) {
    return flags | Qt::ItemIsUserCheckable;
  }
  // Whether a text cell may really be edited is the grid's owner's decision,
  // asked when the edit begins; pictures are never edited as text.
  const GridValue picture = grid_.Cell(kCellPicture, gridRow, col);
  if (std::holds_alternative<std::monostate>(picture)) flags |= Qt::ItemIsEditable;
  return flags;
}

bool GridModel::HasChildRows(int gridRow) const {
  return gridRow + 1 < grid_.Rows() && grid_.OutlineLevel(gridRow + 1) > grid_.OutlineLevel(gridRow);
}

bool GridModel::IsCollapsed(int gridRow) const {
  return collapsed_.contains(QString::fromStdString(grid_.RowData(gridRow)));
}

void GridModel::SetCollapsed(int gridRow, bool collapsed) {
  const QString key = QString::fromStdString(grid_.RowData(gridRow));
  if (collapsed) {
    collapsed_.insert(key);
  } else {
    collapsed_.remove(key);
  }
  const int row = ModelRow(gridRow);
  if (row >= 0 && row < rowCount() && columnCount() > 0) {
    emit dataChanged(index(row, 0), index(row, 0));
  }
}

QPixmap GridModel::PixmapOf(const std::shared_ptr<const Picture>& picture, QSize size) const {
  auto found = pixmaps_.find(picture.get());
  if (found != pixmaps_.end() && found->second.Size == size) return found->second.Pixmap;
  if (pixmaps_.size() >= kMaxCachedPictures) pixmaps_.clear();
  QPixmap pixmap = QPixmap::fromImage(RenderPicture(*picture, size));
  pixmaps_[picture.get()] = CachedPixmap{picture, size, pixmap};
  return pixmap;
}

}  // namespace linkwatch
