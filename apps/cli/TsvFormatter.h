#pragma once
#include "OutputFormatter.h"

namespace linkwatch::cli {

// Tab-separated values for scripts: a first line "KEY" and the column headers,
// then one line per grid row in grid order, its row key and then each cell.
class TsvFormatter final : public OutputFormatter {
 public:
  std::string Format(const SystemSummary& system, const GridSnapshot& grid) const override;
};

}  // namespace linkwatch::cli
