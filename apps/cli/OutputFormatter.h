#pragma once
#include <memory>
#include <string>

#include "CliOptions.h"
#include "GridSnapshot.h"
#include "SystemSummary.h"

namespace linkwatch::cli {

// Turns one poll cycle's grid (and what is known of the device) into the text
// printed for it. Each call formats one printed grid, complete with its final
// line feed.
class OutputFormatter {
 public:
  virtual ~OutputFormatter() = default;
  virtual std::string Format(const SystemSummary& system, const GridSnapshot& grid) const = 0;

  static std::unique_ptr<OutputFormatter> For(OutputFormat format);
};

}  // namespace linkwatch::cli
