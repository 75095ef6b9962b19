#pragma once
#include <string>

namespace linkwatch {

// One column of the in-memory grid: its key, the per-column setting and the
// width last fitted to its contents (AutoSize) or set by a view.
struct GridColumn {
  static constexpr int kDefaultWidth = -1;

  std::string Key;
  int Setting = 0;
  int Width = kDefaultWidth;
};

}  // namespace linkwatch
