#pragma once
#include <utility>
#include <vector>

#include "platform/grid/MemoryGrid.h"

namespace linkwatch::fakes {

// The real in-memory grid, recording what the control told it that the grid
// itself forgets: set-once settings in the order they were set.
// It also hands out its event receiver, so a test can raise an event the way a
// view would.
class RecordingGrid : public MemoryGrid {
 public:
  using MemoryGrid::MemoryGrid;

  void SetSetting(int id, const GridValue& value) override {
    MemoryGrid::SetSetting(id, value);
    settingLog_.emplace_back(id, value);
  }
  void SetEvents(GridEvents* events) override {
    MemoryGrid::SetEvents(events);
    events_ = events;
  }

  const std::vector<std::pair<int, GridValue>>& SettingLog() const { return settingLog_; }
  GridEvents* Events() const { return events_; }

 private:
  std::vector<std::pair<int, GridValue>> settingLog_;
  GridEvents* events_ = nullptr;
};

}  // namespace linkwatch::fakes
