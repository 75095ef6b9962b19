// The control's rows and cells: the refresh after every poll, the child rows of
// an interface and the look of one statistic in one cell. The work is done by
// the table classes; the control hands them its grid, font, clock and settings.
#include <stdexcept>

#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "model/Interfaces.h"
#include "table/CellFiller.h"
#include "table/ChildRows.h"
#include "table/TableRefresh.h"

namespace linkwatch {
namespace {

ChildRows::Services ChildRowServices(const Platform& platform, int32_t refreshInterval) {
  return ChildRows::Services{platform.GetClock(), platform.GetRegionalSettings(),
                             [] { return Globals::Catalog(); }, refreshInterval};
}

}  // namespace

void InterfaceList::RefreshTable() {
  if (!interfaces_) return;  // monitoring never started: the grid stays as it is
  // Held for the whole refresh, even if a handler starts a new run meanwhile.
  const std::shared_ptr<linkwatch::Interfaces> interfaces = interfaces_;
  const CellFiller cells(*table_, platform_->GetTextMeasure());
  const ChildRows children(*table_, cells, ChildRowServices(*platform_, state_.RefreshInterval));
  const TableRefresh refresh(*table_, cells, children, [this] { OnSelectionChanged(); });
  refresh.Refresh(*interfaces);
}

void InterfaceList::RefreshChildren(const std::shared_ptr<Interface>& target) {
  if (!target) throw std::invalid_argument("RefreshChildren needs an interface");
  const CellFiller cells(*table_, platform_->GetTextMeasure());
  const ChildRows children(*table_, cells, ChildRowServices(*platform_, state_.RefreshInterval));
  children.Refresh(*target);
}

void InterfaceList::FillCell(const Statistic& stat, int32_t row, int32_t col) {
  CellFiller(*table_, platform_->GetTextMeasure()).Fill(stat, row, col);
}

}  // namespace linkwatch
