#include "GridSnapshot.h"

#include <cctype>
#include <memory>
#include <variant>

#include "components/GridValue.h"
#include "components/Picture.h"

namespace linkwatch::cli {
namespace {

std::string TextOf(const GridValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return {};
}

bool StartsWithIgnoreCase(const std::string& text, const std::string& prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) !=
        std::toupper(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string GridSnapshot::OneLine(std::string text) {
  for (char& c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = ' ';
  }
  return text;
}

std::string GridSnapshot::PrintableCell(const GridSurface& grid, int row, int col) {
  const std::string text = TextOf(grid.Cell(kCellText, row, col));
  const GridValue checked = grid.Cell(kCellChecked, row, col);
  if (const auto* state = std::get_if<int64_t>(&checked);
      state && (*state == kGridChecked || *state == kGridUnchecked)) {
    std::string box = *state == kGridChecked ? "[x]" : "[ ]";
    return text.empty() ? box : box + " " + OneLine(text);
  }
  if (text.empty()) {
    const GridValue picture = grid.Cell(kCellPicture, row, col);
    if (const auto* image = std::get_if<std::shared_ptr<const Picture>>(&picture);
        image && *image) {
      return "{" + OneLine((*image)->Name()) + "}";
    }
  }
  return OneLine(text);
}

GridSnapshot GridSnapshot::Read(const GridSurface& grid) {
  GridSnapshot snapshot;
  const int cols = grid.Cols();
  const int rows = grid.Rows();
  for (int c = 0; c < cols; ++c) {
    snapshot.ColumnKeys.push_back(OneLine(grid.ColKey(c)));
    snapshot.Headers.push_back(rows > 0 ? OneLine(TextOf(grid.Cell(kCellText, 0, c))) : "");
  }
  for (int r = 1; r < rows; ++r) {
    if (grid.RowHidden(r)) continue;
    SnapshotRow row;
    row.Key = OneLine(grid.RowData(r));
    row.Child = StartsWithIgnoreCase(row.Key, "C:");
    row.Cells.reserve(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) row.Cells.push_back(PrintableCell(grid, r, c));
    snapshot.Rows.push_back(std::move(row));
  }
  return snapshot;
}

}  // namespace linkwatch::cli
