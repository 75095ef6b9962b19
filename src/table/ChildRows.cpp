#include "table/ChildRows.h"

#include <memory>
#include <stdexcept>

#include "common/DateFunctions.h"
#include "common/Formatting.h"
#include "common/TextFunctions.h"
#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "table/CellFiller.h"
#include "table/TableColors.h"

namespace linkwatch {

void ChildRows::Refresh(Interface& owner) const {
  for (const std::shared_ptr<InterfaceChild>& child : owner.OwnChildren()) {
    RefreshChild(owner, *child);
  }
}

ChildState ChildRows::StateOf(const InterfaceChild& child) const {
  const int64_t age = WholeSeconds(services_.clock.Now()) - WholeSeconds(child.LastUpdate());
  return ChildStateFor(age, services_.refreshInterval);
}

void ChildRows::RefreshChild(Interface& owner, InterfaceChild& child) const {
  int row = grid_.FindRow(child.Key());
  if (row < 1) row = AddChildRow(owner, child);

  const ChildState state = StateOf(child);
  KeepDisassociateTime(owner, child, state);

  const int cols = grid_.Cols();
  for (int col = 0; col < cols; ++col) FillColumn(child, state, row, col);
}

int ChildRows::AddChildRow(const Interface& owner, const InterfaceChild& child) const {
  const int parentRow = grid_.FindRow(owner.Key());
  if (parentRow < 1) {
    throw std::runtime_error("interface " + owner.Key() + " has no row to show child " +
                             child.Key() + " under");
  }
  return grid_.AddChild(parentRow, kGridRelationChild, std::string(), child.Key());
}

void ChildRows::KeepDisassociateTime(Interface& owner, InterfaceChild& child,
                                     ChildState state) const {
  if (!IsStale(state)) {
    // Present: "0", creating the statistic when the child has none yet. Written
    // past InterfaceChild::SetStatistic so that LastUpdate stays the moment the
    // device last answered for the child: a refresh is no answer, and counting it
    // as one would keep a client that left "Active" while the polls fall less
    // than a second past the refresh interval.
    child.OwnStatistics().SetStatistic(&owner, child.ChildIndex(), kDisassociateTime, "0",
                                       std::string());
    return;
  }
  // Stamped once, when the child is first seen missing; a child that never was
  // active (and so has no such statistic) gets no stamp.
  const std::shared_ptr<Statistic> stamp = child.OwnStatistics().Item(kDisassociateTime);
  if (stamp && stamp->CurrentValue() == 0) {
    stamp->SetValue(&owner, child.Index(), NowText(), std::string());
  }
}

void ChildRows::FillColumn(InterfaceChild& child, ChildState state, int row, int col) const {
  const std::string key = grid_.ColKey(col);
  const std::string special = UpperCase(key);
  if (special == kNameColumn) {
    grid_.SetCell(kCellText, row, col, GridValue{child.Name()});
    grid_.SetCell(kCellForeColor, row, col, GridValue{table_color::kBlack});
  } else if (special == kStatusColumn) {
    grid_.SetCell(kCellText, row, col, GridValue{ChildStatusWord(state)});
  } else if (special == kStatusIconColumn) {
    const std::shared_ptr<DeviceCatalog> catalog = services_.catalog();
    if (!catalog) throw std::logic_error("no device catalogue for the status icons of child rows");
    grid_.SetCell(kCellPicture, row, col,
                  GridValue{catalog->StatusIcon(ChildStatusIconNumber(state))});
    grid_.SetCell(kCellPictureAlignment, row, col, GridValue{kCellPicturePlacement});
  } else if (const std::shared_ptr<Statistic> stat = child.OwnStatistics().Item(key)) {
    cells_.Fill(*stat, row, col);
  }

  if (IsStale(state)) {
    // Every cell fades, those without a value too; the disassociation time stands out.
    const int64_t color =
        EqualsIgnoreCase(key, kDisassociateTime) ? table_color::kStaleAlert : table_color::kGrey;
    grid_.SetCell(kCellForeColor, row, col, GridValue{color});
  }
}

std::string ChildRows::NowText() const {
  // The moment as the user's short date and time of day.
  const SerialDate now = services_.clock.Now();
  return FormatDateTime(now, services_.regional);
}

}  // namespace linkwatch
