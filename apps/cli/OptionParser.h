#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "CliOptions.h"

namespace linkwatch::cli {

// What the command line asks for.
struct ParseOutcome {
  enum class Kind { Run, Help, Version, UsageError };
  Kind What = Kind::Run;
  CliOptions Options;
  // For a usage error: one line that names the option at fault. It never quotes
  // a password.
  std::string Error;
};

// Reads the monitor's command line (without the program name). Options take their
// value as the next argument or after "=" (--port=1161); a value that begins with
// "--" must use the "=" form. "--" ends the options.
class OptionParser {
 public:
  // Looks up an environment variable; none when it is not set.
  using Environment = std::function<std::optional<std::string>(const std::string&)>;

  static ParseOutcome Parse(const std::vector<std::string>& args, const Environment& environment);
  // The process's own environment.
  static Environment ProcessEnvironment();
  // The text --help prints.
  static std::string Usage();

  static constexpr const char* kAuthPassVariable = "LINKWATCH_AUTH_PASS";
  static constexpr const char* kPrivPassVariable = "LINKWATCH_PRIV_PASS";
};

}  // namespace linkwatch::cli
