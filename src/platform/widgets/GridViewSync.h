#pragma once
#include "platform/widgets/GridView.h"

namespace linkwatch {

// Marks the view as bringing itself up to the grid, so the changes it makes to
// its own selection, header and sizes are not taken for the user's actions.
class GridView::SyncScope {
 public:
  explicit SyncScope(int& depth) : depth_(depth) { ++depth_; }
  ~SyncScope() { --depth_; }
  SyncScope(const SyncScope&) = delete;
  SyncScope& operator=(const SyncScope&) = delete;

 private:
  int& depth_;
};

}  // namespace linkwatch
