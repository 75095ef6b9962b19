#include "TsvFormatter.h"

namespace linkwatch::cli {

std::string TsvFormatter::Format(const SystemSummary& /*system*/, const GridSnapshot& grid) const {
  // Snapshot texts hold no tabs or line feeds, so every field stays one field.
  // The last field lists the cells whose value did not arrive in the last poll
  // cycle, by column number counted from 1 ("2,5"; empty when all are fresh).
  std::string out = "KEY";
  for (const auto& header : grid.Headers) out += "\t" + header;
  out += "\tSTALE\n";
  for (const auto& row : grid.Rows) {
    out += row.Key;
    std::string stale;
    for (size_t c = 0; c < row.Cells.size(); ++c) {
      out += "\t" + row.Cells[c];
      if (row.IsStale(c)) stale += (stale.empty() ? "" : ",") + std::to_string(c + 1);
    }
    out += "\t" + stale + "\n";
  }
  return out;
}

}  // namespace linkwatch::cli
