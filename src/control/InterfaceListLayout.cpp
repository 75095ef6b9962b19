// The grid's columns: one per listed statistic under one header row.
#include <vector>

#include "common/Globals.h"
#include "common/TextFunctions.h"
#include "control/GridLayoutSettings.h"
#include "control/InterfaceList.h"
#include "model/Interfaces.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {
namespace {

constexpr int kHeaderRow = 0;
constexpr double kHeaderHeightInLines = 3.5;
constexpr int kWidthLimitCharacters = 57;

std::vector<std::string> NamesOf(const std::string& list) {
  return list.empty() ? std::vector<std::string>{} : Split(list, ',');
}

bool Listed(const std::vector<std::string>& names, const std::string& statName) {
  for (const std::string& name : names) {
    if (EqualsIgnoreCase(name, statName)) return true;
  }
  return false;
}

// Removes the statistics that have a template and are not listed.
void PruneUnlisted(Statistics& statistics, const std::vector<std::string>& names) {
  std::vector<std::string> unlisted;
  for (const std::shared_ptr<Statistic>& statistic : statistics) {
    if (statistic->StatisticTemplate() && !Listed(names, statistic->StatName())) {
      unlisted.push_back(statistic->StatName());
    }
  }
  for (const std::string& statName : unlisted) statistics.Remove(statName);
}

}  // namespace

void InterfaceList::ClearTable() {
  using namespace grid_setting;
  GridSurface& grid = *table_;
  grid.SetRows(0);
  grid.SetCols(0);
  grid.SetSetting(kSetting88, true);
  grid.SetFixedCols(0);
  grid.SetFixedRows(0);
  grid.SetSetting(kSetting41, int64_t{0});
  grid.SetSetting(kSetting42, int64_t{0});
  grid.SetSetting(kBackColor, grid.BackColorStandard());
  grid.SetSetting(kBackgroundPicture, state_.Background);
  grid.SetSetting(kBackgroundPictureMode, int64_t{10});
}

void InterfaceList::LayoutColumns() {
  using namespace grid_setting;
  state_.StatisticNames = NamesOf(state_.StatisticsList);
  const std::vector<std::string>& names = state_.StatisticNames;
  GridSurface& grid = *table_;
  if (names.empty()) {
    grid.SetRows(1);
    grid.SetCols(0);
    return;
  }

  // Only the header row is left; rows come back with the next refresh.
  const int columns = static_cast<int>(names.size());
  grid.SetRows(1);
  grid.SetCols(columns);
  grid.SetFixedCols(0);
  grid.SetFixedRows(1);

  const TextMeasure& measure = platform_->GetTextMeasure();
  grid.SetSetting(kSetting190, int64_t{1});
  grid.SetSetting(kSetting111, int64_t{7});
  grid.SetSetting(kSetting66, int64_t{1});
  grid.SetSetting(kColumnWidthLimit,
                  int64_t{RoundToInt32(measure.TextWidth(std::string(kWidthLimitCharacters, 'X')))});
  grid.SetSetting(kSetting71, int64_t{2});
  grid.SetSetting(kSetting82, int64_t{4});
  grid.SetSetting(kSetting28, true);
  grid.SetSetting(kSetting88, true);
  grid.SetSetting(kBackColor, grid.BackColorStandard());
  grid.SetSetting(kSetting23, int64_t{0xFF0000});
  grid.SetSetting(kSetting22, int64_t{0xFFC8C8});
  grid.SetSetting(kBackgroundPicture, state_.Background);
  grid.SetSetting(kBackgroundPictureMode, int64_t{10});

  grid.SetRowHeight(kHeaderRow, RoundToInt32(kHeaderHeightInLines * measure.TextHeight("X")));

  const std::shared_ptr<linkwatch::StatisticTemplates> templates = Globals::Templates();
  for (int column = 0; column < columns; ++column) {
    const std::string& name = names[static_cast<size_t>(column)];
    const std::shared_ptr<StatisticTemplate> found = templates->Item(name);
    grid.SetCell(kCellText, 0, column, found ? found->Header() : name);
    grid.SetCell(kCellFontBold, 0, column, true);
    grid.SetColKey(column, name);
    grid.SetColSetting(column, 1);
  }
  grid.AutoSize(0, columns - 1);
}

std::string InterfaceList::ColumnList() const {
  // The keys from column 0 to the last in display order, joined by ",".
  std::string list;
  const int columns = table_->Cols();
  for (int column = 0; column < columns; ++column) {
    if (column > 0) list += ',';
    list += table_->ColKey(column);
  }
  return list;
}

void InterfaceList::PruneStatistics() {
  const std::vector<std::string> names = NamesOf(state_.StatisticsList);
  if (!interfaces_) return;
  for (const std::shared_ptr<Interface>& interface : *interfaces_) {
    PruneUnlisted(interface->OwnStatistics(), names);
    InterfaceChildren& children = interface->OwnChildren();
    std::vector<std::string> emptied;
    for (const std::shared_ptr<InterfaceChild>& child : children) {
      PruneUnlisted(child->OwnStatistics(), names);
      if (child->OwnStatistics().Count() == 0) emptied.push_back(child->Key());
    }
    for (const std::string& key : emptied) children.Remove(key);
  }
}

}  // namespace linkwatch
