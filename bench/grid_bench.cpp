// Times the in-memory grid the way the table uses it at the end of a poll: a
// table of 10,000 interface rows with 1,000 child rows and 10 columns, refreshed
// by finding every row by its key and setting text, colours and sort value of
// each of its cells. Prints milliseconds per refresh.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/grid/MemoryGrid.h"

namespace {

using linkwatch::GridValue;
using linkwatch::MemoryGrid;
using Clock = std::chrono::steady_clock;

constexpr int kInterfaces = 10'000;
constexpr int kChildren = 1'000;
constexpr int kColumns = 10;
constexpr int kRefreshes = 20;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Table {
  std::vector<std::string> Keys;  // interfaces in collection order, then children
  std::vector<std::string> ParentKeys;  // of each child
};

Table MakeKeys() {
  Table table;
  for (int i = 1; i <= kInterfaces; ++i) table.Keys.push_back("I:" + std::to_string(i));
  for (int c = 0; c < kChildren; ++c) {
    const int parent = 1 + (c * 7) % kInterfaces;  // spread over the table
    table.Keys.push_back("C:" + std::to_string(parent) + "." + std::to_string(c));
    table.ParentKeys.push_back("I:" + std::to_string(parent));
  }
  return table;
}

// Lays the table out and appends its rows as the first refresh does.
void Fill(MemoryGrid& grid, const Table& table) {
  grid.SetRows(1);
  grid.SetCols(kColumns);
  grid.SetFixedRows(1);
  for (int col = 0; col < kColumns; ++col) {
    grid.SetColKey(col, "STAT" + std::to_string(col));
    grid.SetCell(linkwatch::kCellText, 0, col, "Statistic " + std::to_string(col));
    grid.SetCell(linkwatch::kCellFontBold, 0, col, true);
  }
  for (int i = 0; i < kInterfaces; ++i) {
    if (grid.FindRow(table.Keys[i]) >= 1) continue;
    const int row = grid.Rows();
    grid.SetRows(row + 1);
    grid.SetRowData(row, table.Keys[i]);
  }
  for (int c = 0; c < kChildren; ++c) {
    const int parent = grid.FindRow(table.ParentKeys[c]);
    grid.SetIsSubtotal(parent, true);
    grid.AddChild(parent, linkwatch::kGridRelationChild, "", table.Keys[kInterfaces + c]);
  }
}

// Display texts of one refresh: a value per row and column.
std::vector<std::string> Texts(size_t rows, int round) {
  std::vector<std::string> texts;
  texts.reserve(rows * kColumns);
  for (size_t row = 0; row < rows; ++row) {
    for (int col = 0; col < kColumns; ++col) {
      texts.push_back(std::to_string((row * 31 + col * 17 + round * 7) % 100000) + ".5 kbit/s");
    }
  }
  return texts;
}

void Refresh(MemoryGrid& grid, const Table& table, const std::vector<std::string>& texts,
             bool fitWidths) {
  grid.SetRedraw(linkwatch::kGridRedrawSuspend);
  for (size_t i = 0; i < table.Keys.size(); ++i) {
    const int row = grid.FindRow(table.Keys[i]);
    if (row < 1) continue;
    for (int col = 0; col < kColumns; ++col) {
      const std::string& text = texts[i * kColumns + static_cast<size_t>(col)];
      grid.SetCell(linkwatch::kCellSort, row, col, GridValue{static_cast<int64_t>(i + col)});
      grid.SetCell(linkwatch::kCellText, row, col, GridValue{text});
      grid.SetCell(linkwatch::kCellForeColor, row, col, GridValue{int64_t{0xFF0000}});
      grid.SetCell(linkwatch::kCellBackColor, row, col, GridValue{int64_t{0xF0F0F0}});
    }
  }
  if (fitWidths) grid.AutoSize(0, grid.Cols() - 1);
  grid.SetRedraw(linkwatch::kGridRedrawResume);
}

struct Figures {
  double Best, Median;
};

Figures TimeRefreshes(MemoryGrid& grid, const Table& table, bool fitWidths) {
  const std::vector<std::string> even = Texts(table.Keys.size(), 0);
  const std::vector<std::string> odd = Texts(table.Keys.size(), 1);
  std::vector<double> times;
  for (int round = 0; round < kRefreshes; ++round) {
    const auto start = Clock::now();
    Refresh(grid, table, round % 2 ? odd : even, fitWidths);
    times.push_back(MillisecondsSince(start));
  }
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2]};
}

}  // namespace

int main() {
  const Table table = MakeKeys();
  MemoryGrid grid;

  const auto fillStart = Clock::now();
  Fill(grid, table);
  const double fillMs = MillisecondsSince(fillStart);

  const Figures plain = TimeRefreshes(grid, table, false);
  const Figures fitted = TimeRefreshes(grid, table, true);

  // The grid's own sort by what the cells mean (rates such as "12345.5 kbit/s",
  // read once per cell), alternately ascending and descending.
  std::vector<double> sortTimes;
  for (int round = 0; round < kRefreshes; ++round) {
    const auto start = Clock::now();
    grid.ClickHeader(1);
    sortTimes.push_back(MillisecondsSince(start));
  }
  std::sort(sortTimes.begin(), sortTimes.end());

  std::printf("grid: %d rows (%d interfaces, %d children) x %d columns\n", grid.Rows() - 1,
              kInterfaces, kChildren, kColumns);
  std::printf("bytes per cell: %zu (plus text beyond the short-string buffer)\n",
              sizeof(linkwatch::GridCell));
  std::printf("fill (layout, appended rows, child rows): %.2f ms\n", fillMs);
  std::printf("refresh (FindRow + text, colours, sort value per cell): %.2f ms median, %.2f ms best of %d\n",
              plain.Median, plain.Best, kRefreshes);
  std::printf("refresh with AutoSize of all columns: %.2f ms median, %.2f ms best of %d\n",
              fitted.Median, fitted.Best, kRefreshes);
  std::printf("own sort of one column (header click): %.2f ms median, %.2f ms best of %d\n",
              sortTimes[sortTimes.size() / 2], sortTimes.front(), kRefreshes);
  return 0;
}
