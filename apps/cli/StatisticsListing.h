#pragma once
#include <string>
#include <vector>

#include "CliOptions.h"

namespace linkwatch {
class StatisticTemplates;
}

namespace linkwatch::cli {

// One defined statistic as --list-statistics prints it.
struct StatisticEntry {
  std::string Name;
  std::string Header;
  std::string Parser;
  std::string Units;
  std::string Group;
};

// The statistics of the statistics file, one a line: tsv and table print a
// header line (NAME, HEADER, PARSER, UNITS, GROUP) and then one line per
// statistic in file order; json prints an array with one object per line.
class StatisticsListing {
 public:
  static std::vector<StatisticEntry> Collect(const StatisticTemplates& templates);
  static std::string Format(const std::vector<StatisticEntry>& entries, OutputFormat format);
};

}  // namespace linkwatch::cli
