#pragma once
#include "OutputFormatter.h"

namespace linkwatch::cli {

// One JSON object per printed grid, on one line (so several cycles make JSON
// Lines): "system" with the device's fields, "columns" (column keys), "headers"
// and "rows", each row with its "key" and its "cells" as tsv prints them.
class JsonFormatter final : public OutputFormatter {
 public:
  std::string Format(const SystemSummary& system, const GridSnapshot& grid) const override;
};

}  // namespace linkwatch::cli
