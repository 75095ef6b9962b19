#pragma once
#include <string>

#include "OutputFormatter.h"

namespace linkwatch::cli {

// Aligned columns for people: a line about the device (name, vendor, machine
// type, up-time as of now, SNMP version, address), then the header row, a rule, and one
// line per grid row. The first column is the interface index; child rows are
// indented under their interface and show "ifIndex.childIndex".
class TableFormatter final : public OutputFormatter {
 public:
  std::string Format(const SystemSummary& system, const GridSnapshot& grid) const override;

  // The device line above the table.
  static std::string DeviceLine(const SystemSummary& system);
  // How wide a text shows on a terminal: one place per UTF-8 code point.
  static size_t DisplayWidth(const std::string& text);
};

}  // namespace linkwatch::cli
