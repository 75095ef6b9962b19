#include "JsonFormatter.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "JsonText.h"

namespace linkwatch::cli {
namespace {

std::string Array(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) out += ",";
    out += JsonText::Quote(texts[i]);
  }
  return out + "]";
}

std::string Number(double value) {
  if (!std::isfinite(value)) return "null";
  // Two decimals for the seconds a device reports; a value too large for that
  // (a device may report anything) in exponent form, which JSON allows too and
  // which never outgrows the buffer.
  constexpr double kLargestFixed = 1e15;
  char text[64];
  std::snprintf(text, sizeof text, std::fabs(value) < kLargestFixed ? "%.2f" : "%.17g", value);
  return text;
}

std::string Member(const char* name, const std::string& jsonValue) {
  return JsonText::Quote(name) + ":" + jsonValue;
}

std::string SystemObject(const SystemSummary& system) {
  const std::vector<std::string> members = {
      Member("SysName", JsonText::Quote(system.SysName)),
      Member("SysDescr", JsonText::Quote(system.SysDescr)),
      Member("SystemOID", JsonText::Quote(system.SystemOID)),
      Member("SysUpTime", Number(system.SysUpTime)),
      Member("LastBoot", system.LastBoot.empty() ? "null" : JsonText::Quote(system.LastBoot)),
      Member("SysLocation", JsonText::Quote(system.SysLocation)),
      Member("SysContact", JsonText::Quote(system.SysContact)),
      Member("Vendor", JsonText::Quote(system.Vendor)),
      Member("MachineType", JsonText::Quote(system.MachineType)),
      Member("SNMPVersion", std::to_string(system.SNMPVersion)),
      Member("InterfaceCount", std::to_string(system.InterfaceCount)),
      Member("IP", JsonText::Quote(system.IP)),
  };
  std::string out = "{";
  for (size_t i = 0; i < members.size(); ++i) {
    if (i > 0) out += ",";
    out += members[i];
  }
  return out + "}";
}

}  // namespace

std::string JsonFormatter::Format(const SystemSummary& system, const GridSnapshot& grid) const {
  std::string out = "{" + Member("system", SystemObject(system)) + ",";
  out += Member("columns", Array(grid.ColumnKeys)) + ",";
  out += Member("headers", Array(grid.Headers)) + ",";
  out += JsonText::Quote("rows") + ":[";
  for (size_t i = 0; i < grid.Rows.size(); ++i) {
    if (i > 0) out += ",";
    const SnapshotRow& row = grid.Rows[i];
    std::vector<std::string> stale;
    for (size_t c = 0; c < row.Cells.size() && c < grid.ColumnKeys.size(); ++c) {
      if (row.IsStale(c)) stale.push_back(grid.ColumnKeys[c]);
    }
    out += "{" + Member("key", JsonText::Quote(row.Key)) + "," + Member("cells", Array(row.Cells)) +
           "," + Member("stale", Array(stale)) + "}";
  }
  out += "]}\n";
  return out;
}

}  // namespace linkwatch::cli
