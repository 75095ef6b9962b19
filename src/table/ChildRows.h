#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/Clock.h"
#include "components/DeviceCatalog.h"
#include "components/GridSurface.h"
#include "components/RegionalSettings.h"
#include "table/ChildState.h"

namespace linkwatch {

class CellFiller;
class Interface;
class InterfaceChild;

// Shows the child entries of an interface (for example wireless clients) as
// outline rows under the interface's row, and marks the ones that have gone
// quiet: their cells turn grey, their "Disassociate Time" turns red and is
// stamped with the moment they were first seen missing.
//
// Three column keys (any letter case) show the child itself instead of one of its
// statistics: "INTERFACE NAME", "INTERFACE STATUS" and "INTERFACE STATUS ICON".
// Rows are only added here; a child that left its interface keeps its row.
//
// Refresh stops at the first error and passes it on, leaving the remaining
// columns and children as they were (an interface without a row, a child
// statistic without a definition).
class ChildRows {
 public:
  // What a refresh needs besides the grid; every reference must outlive it.
  struct Services {
    const Clock& clock;
    const RegionalSettings& regional;
    // The device catalogue, asked for only when a status icon is shown.
    std::function<std::shared_ptr<DeviceCatalog>()> catalog;
    int32_t refreshInterval;  // seconds
  };

  static constexpr const char* kDisassociateTime = "Disassociate Time";
  static constexpr const char* kNameColumn = "INTERFACE NAME";
  static constexpr const char* kStatusColumn = "INTERFACE STATUS";
  static constexpr const char* kStatusIconColumn = "INTERFACE STATUS ICON";

  ChildRows(GridSurface& grid, const CellFiller& cells, const Services& services)
      : grid_(grid), cells_(cells), services_(services) {}

  // Brings the rows of every child of owner up to date, in the children's order.
  void Refresh(Interface& owner) const;

  // The state of a child now: whole seconds since its last update against the
  // refresh interval.
  ChildState StateOf(const InterfaceChild& child) const;

 private:
  void RefreshChild(Interface& owner, InterfaceChild& child) const;
  int AddChildRow(const Interface& owner, const InterfaceChild& child) const;
  void KeepDisassociateTime(Interface& owner, InterfaceChild& child, ChildState state) const;
  void FillColumn(InterfaceChild& child, ChildState state, int row, int col) const;
  std::string NowText() const;

  GridSurface& grid_;
  const CellFiller& cells_;
  Services services_;
};

}  // namespace linkwatch
