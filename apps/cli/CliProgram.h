#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "CliOptions.h"

namespace linkwatch::cli {

// The command-line monitor from arguments to exit code: reads the options,
// answers --help and --version, sets up Qt and the real platform, checks the
// statistics, lists them or runs the monitor.
class CliProgram {
 public:
  CliProgram(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

  // args without the program name; stdoutIsTerminal chooses the live table.
  int Main(const std::vector<std::string>& args, bool stdoutIsTerminal);

 private:
  int UsageError(const std::string& message);
  // The --stats list with blanks around each name removed; an error text names
  // the first statistic the statistics file does not define or that reads
  // nothing from the device.
  std::string CheckedStatistics(const std::string& list, std::string& error) const;

  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace linkwatch::cli
