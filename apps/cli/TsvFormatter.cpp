#include "TsvFormatter.h"

namespace linkwatch::cli {

std::string TsvFormatter::Format(const SystemSummary& /*system*/, const GridSnapshot& grid) const {
  // Snapshot texts hold no tabs or line feeds, so every field stays one field.
  std::string out = "KEY";
  for (const auto& header : grid.Headers) out += "\t" + header;
  out += "\n";
  for (const auto& row : grid.Rows) {
    out += row.Key;
    for (const auto& cell : row.Cells) out += "\t" + cell;
    out += "\n";
  }
  return out;
}

}  // namespace linkwatch::cli
