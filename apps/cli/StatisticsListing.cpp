#include "StatisticsListing.h"

#include <algorithm>
#include <array>

#include "GridSnapshot.h"
#include "JsonText.h"
#include "TableFormatter.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch::cli {
namespace {

using Fields = std::array<std::string, 5>;

const Fields kTitles = {"NAME", "HEADER", "PARSER", "UNITS", "GROUP"};
const std::array<const char*, 5> kJsonNames = {"name", "header", "parser", "units", "group"};

Fields FieldsOf(const StatisticEntry& entry) {
  return {GridSnapshot::OneLine(entry.Name), GridSnapshot::OneLine(entry.Header),
          GridSnapshot::OneLine(entry.Parser), GridSnapshot::OneLine(entry.Units),
          GridSnapshot::OneLine(entry.Group)};
}

std::string Tsv(const std::vector<StatisticEntry>& entries) {
  auto line = [](const Fields& fields) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) text += (i ? "\t" : "") + fields[i];
    return text + "\n";
  };
  std::string out = line(kTitles);
  for (const auto& entry : entries) out += line(FieldsOf(entry));
  return out;
}

std::string Table(const std::vector<StatisticEntry>& entries) {
  std::vector<Fields> rows = {kTitles};
  for (const auto& entry : entries) rows.push_back(FieldsOf(entry));
  std::array<size_t, 5> widths{};
  for (const auto& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      widths[i] = std::max(widths[i], TableFormatter::DisplayWidth(row[i]));
    }
  }
  std::string out;
  for (const auto& row : rows) {
    std::string text;
    for (size_t i = 0; i < row.size(); ++i) {
      if (i > 0) text += "  ";
      text += row[i];
      text.append(widths[i] - TableFormatter::DisplayWidth(row[i]), ' ');
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    out += text + "\n";
  }
  return out;
}

std::string Json(const std::vector<StatisticEntry>& entries) {
  std::string out = "[\n";
  for (size_t e = 0; e < entries.size(); ++e) {
    const Fields fields = {entries[e].Name, entries[e].Header, entries[e].Parser,
                           entries[e].Units, entries[e].Group};
    out += "{";
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out += ",";
      out += JsonText::Quote(kJsonNames[i]) + ":" + JsonText::Quote(fields[i]);
    }
    out += e + 1 < entries.size() ? "},\n" : "}\n";
  }
  return out + "]\n";
}

}  // namespace

std::vector<StatisticEntry> StatisticsListing::Collect(const StatisticTemplates& templates) {
  std::vector<StatisticEntry> entries;
  for (const auto& definition : templates) {
    if (!definition) continue;
    entries.push_back({definition->StatName(), definition->Header(), definition->Parser(),
                       definition->Units(), definition->Group()});
  }
  return entries;
}

std::string StatisticsListing::Format(const std::vector<StatisticEntry>& entries,
                                      OutputFormat format) {
  switch (format) {
    case OutputFormat::Tsv: return Tsv(entries);
    case OutputFormat::Json: return Json(entries);
    case OutputFormat::Table: break;
  }
  return Table(entries);
}

}  // namespace linkwatch::cli
