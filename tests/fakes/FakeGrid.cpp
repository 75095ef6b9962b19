#include "fakes/FakeGrid.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace linkwatch::fakes {

FakeGrid::~FakeGrid() {
  if (OnDestroyed) OnDestroyed();
}

size_t FakeGrid::Index(int position) {
  if (position < 0) throw std::out_of_range("grid position below 0");
  return static_cast<size_t>(position);
}

FakeGrid::RowState FakeGrid::NewRow() const {
  RowState row;
  row.Cells.resize(colKeys_.size());
  return row;
}

void FakeGrid::SetRows(int rows) {
  rows_.resize(Index(rows), NewRow());
}

void FakeGrid::SetCols(int cols) {
  const size_t count = Index(cols);
  colKeys_.resize(count);
  colSettings_.resize(count, 0);
  for (RowState& row : rows_) row.Cells.resize(count);
}

std::string FakeGrid::CellText(int row, int col) const {
  const GridValue value = Cell(kCellText, row, col);
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<int64_t>(&value)) return std::to_string(*number);
  if (const auto* real = std::get_if<double>(&value)) return std::to_string(*real);
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
  return {};
}

std::string FakeGrid::Clip() const {
  int row1, col1, row2, col2;
  GetSelection(row1, col1, row2, col2);
  std::string text;
  for (int row = row1; row <= row2 && row < Rows(); ++row) {
    if (row > row1) text += '\r';
    for (int col = col1; col <= col2 && col < Cols(); ++col) {
      if (col > col1) text += '\t';
      text += CellText(row, col);
    }
  }
  return text;
}

void FakeGrid::GetSelection(int& row1, int& col1, int& row2, int& col2) const {
  row1 = std::min(row_, rowSel_);
  row2 = std::max(row_, rowSel_);
  col1 = std::min(col_, colSel_);
  col2 = std::max(col_, colSel_);
}

int FakeGrid::FindRow(const std::string& key) const {
  for (size_t row = 0; row < rows_.size(); ++row) {
    if (rows_[row].Data == key) return static_cast<int>(row);
  }
  return -1;
}

GridValue FakeGrid::Cell(int attribute, int row, int col) const {
  const auto& cell = rows_.at(Index(row)).Cells.at(Index(col));
  auto found = cell.find(attribute);
  return found == cell.end() ? GridValue{} : found->second;
}

void FakeGrid::SetCell(int attribute, int row, int col, const GridValue& value) {
  rows_.at(Index(row)).Cells.at(Index(col))[attribute] = value;
}

int FakeGrid::AddChild(int parentRow, int relation, const std::string& /*text*/,
                       const std::string& key) {
  if (relation != kGridRelationChild) throw std::invalid_argument("unsupported outline relation");
  const RowState& parent = rows_.at(Index(parentRow));
  // The new child goes after the parent's last descendant.
  size_t position = Index(parentRow) + 1;
  while (position < rows_.size() && rows_[position].Level > parent.Level) ++position;
  RowState child = NewRow();
  child.Data = key;
  child.Level = parent.Level + 1;
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(position), std::move(child));
  return static_cast<int>(position);
}

void FakeGrid::Move(int left, int top, int width, int height) {
  if (failMoves_) throw std::runtime_error("the grid cannot be placed");
  placements_.push_back({left, top, width, height});
}

void FakeGrid::SetSetting(int id, const GridValue& value) {
  settings_[id] = value;
  settingLog_.emplace_back(id, value);
}

GridValue FakeGrid::Setting(int id) const {
  auto found = settings_.find(id);
  return found == settings_.end() ? GridValue{} : found->second;
}

void FakeGrid::DragColumn(int from, int to) {
  const size_t source = Index(from), target = Index(to);
  if (source >= colKeys_.size() || target >= colKeys_.size()) throw std::out_of_range("column");
  auto move = [&](auto& items) {
    auto item = std::move(items[source]);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(source));
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(target), std::move(item));
  };
  move(colKeys_);
  move(colSettings_);
  for (RowState& row : rows_) move(row.Cells);
  if (events_) events_->ColumnMoved(from, to);
}

void FakeGrid::Select(int row1, int col1, int row2, int col2) {
  row_ = row1, col_ = col1, rowSel_ = row2, colSel_ = col2;
  if (events_) events_->SelectionChanged();
}

void FakeGrid::ClickUp(int button, int shift, float x, float y) {
  if (events_) events_->MouseUp(button, shift, x, y);
}

int FakeGrid::SortByColumn(int col) {
  int order = 1;  // ascending
  if (events_) events_->BeforeSort(col, order);
  if (rows_.size() < 3) return order;
  std::vector<int> order_of_rows(rows_.size() - 1);
  std::iota(order_of_rows.begin(), order_of_rows.end(), 1);
  if (order == kGridSortCustom && events_) {
    std::stable_sort(order_of_rows.begin(), order_of_rows.end(), [&](int a, int b) {
      int result = 0;
      events_->Compare(a, b, result);
      return result < 0;
    });
  } else {
    std::stable_sort(order_of_rows.begin(), order_of_rows.end(),
                     [&](int a, int b) { return CellText(a, col) < CellText(b, col); });
  }
  std::vector<RowState> sorted{rows_.front()};
  for (int row : order_of_rows) sorted.push_back(rows_[Index(row)]);
  rows_ = std::move(sorted);
  return order;
}

}  // namespace linkwatch::fakes
