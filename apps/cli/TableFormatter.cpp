#include "TableFormatter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "common/Formatting.h"

namespace linkwatch::cli {
namespace {

constexpr const char* kColumnGap = "  ";
constexpr const char* kIndexHeader = "ifIndex";
// Follows a value that did not arrive in the last poll cycle.
constexpr const char* kStaleMark = " *";

std::string OrDash(const std::string& text) { return text.empty() ? "-" : text; }

std::string UpTimeText(double seconds) {
  if (!(seconds >= 1) || seconds > 2147483647.0 * 86400.0) return "-";
  const auto whole = static_cast<int64_t>(std::floor(seconds));
  try {
    const std::string span = FormatTimeSpan(
        static_cast<int32_t>(whole / 86400), static_cast<int32_t>(whole / 3600 % 24),
        static_cast<int32_t>(whole / 60 % 60), static_cast<int32_t>(whole % 60));
    return OrDash(span);
  } catch (const std::exception&) {
    return "-";
  }
}

std::string VersionText(int32_t version) {
  switch (version) {
    case 1: return "v1";
    case 2: return "v2c";
    case 3: return "v3";
    default: return "-";
  }
}

// "I:7" shows as "7", "C:7.12" as "  7.12"; any other key as it is.
std::string IndexText(const SnapshotRow& row) {
  const bool keyed = row.Key.size() > 2 && row.Key[1] == ':';
  const std::string index = keyed ? row.Key.substr(2) : row.Key;
  return row.Child ? "  " + index : index;
}

void AppendPadded(std::string& line, const std::string& text, size_t width) {
  line += text;
  line.append(width - std::min(width, TableFormatter::DisplayWidth(text)), ' ');
}

std::string TrimRight(std::string line) {
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

}  // namespace

size_t TableFormatter::DisplayWidth(const std::string& text) {
  // Every byte that does not continue a multi-byte sequence starts a new place.
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string TableFormatter::DeviceLine(const SystemSummary& system) {
  std::string line = "Device: " + OrDash(GridSnapshot::OneLine(system.SysName));
  if (!system.IP.empty()) line += " (" + GridSnapshot::OneLine(system.IP) + ")";
  line += kColumnGap + std::string("Vendor: ") + OrDash(GridSnapshot::OneLine(system.Vendor));
  line += kColumnGap + std::string("Type: ") + OrDash(GridSnapshot::OneLine(system.MachineType));
  const double upSeconds = system.UpTimeNow > 0 ? system.UpTimeNow : system.SysUpTime;
  line += kColumnGap + std::string("Up: ") + UpTimeText(upSeconds);
  line += kColumnGap + std::string("SNMP: ") + VersionText(system.SNMPVersion);
  return line;
}

std::string TableFormatter::Format(const SystemSummary& system, const GridSnapshot& grid) const {
  // Column 0 is the index; then the grid's columns.
  std::vector<std::string> header = {kIndexHeader};
  header.insert(header.end(), grid.Headers.begin(), grid.Headers.end());
  std::vector<std::vector<std::string>> lines;
  lines.reserve(grid.Rows.size());
  bool anyStale = false;
  for (const auto& row : grid.Rows) {
    std::vector<std::string> line = {IndexText(row)};
    for (size_t c = 0; c < row.Cells.size(); ++c) {
      const bool stale = row.IsStale(c);
      anyStale = anyStale || stale;
      line.push_back(stale ? row.Cells[c] + kStaleMark : row.Cells[c]);
    }
    line.resize(header.size());
    lines.push_back(std::move(line));
  }

  std::vector<size_t> widths(header.size(), 0);
  for (size_t c = 0; c < header.size(); ++c) widths[c] = DisplayWidth(header[c]);
  for (const auto& line : lines) {
    for (size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], DisplayWidth(line[c]));
  }

  auto render = [&](const std::vector<std::string>& cells) {
    std::string text;
    for (size_t c = 0; c < cells.size(); ++c) {
      if (c > 0) text += kColumnGap;
      AppendPadded(text, cells[c], widths[c]);
    }
    return TrimRight(text) + "\n";
  };

  std::string out = DeviceLine(system) + "\n\n";
  out += render(header);
  std::vector<std::string> rule;
  for (size_t width : widths) rule.emplace_back(width, '-');
  out += render(rule);
  for (const auto& line : lines) out += render(line);
  if (anyStale) out += "* marks a value that did not arrive in the last poll (an older one is shown)\n";
  return out;
}

}  // namespace linkwatch::cli
