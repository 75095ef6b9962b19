#include "OptionParser.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "common/TextFunctions.h"
#include "components/SnmpSecurity.h"

namespace linkwatch::cli {
namespace {

// Applies an option's value; answers an error text (without the option's name),
// empty when the value is good.
using Apply = std::string (*)(CliOptions&, const std::string&);

struct OptionSpec {
  std::string_view Name;
  bool TakesValue;
  Apply Handler;
};

struct NamedCode {
  std::string_view Name;
  int16_t Code;
};

constexpr std::array kAuthTypes{
    NamedCode{"none", kAuthNone},     NamedCode{"md5", kAuthMd5},
    NamedCode{"sha", kAuthSha1},      NamedCode{"sha224", kAuthSha224},
    NamedCode{"sha256", kAuthSha256}, NamedCode{"sha384", kAuthSha384},
    NamedCode{"sha512", kAuthSha512},
};

constexpr std::array kPrivTypes{
    NamedCode{"none", kPrivNone},     NamedCode{"des", kPrivDes},
    NamedCode{"aes", kPrivAes128},    NamedCode{"aes192", kPrivAes192},
    NamedCode{"aes256", kPrivAes256},
};

template <size_t N>
std::string NameList(const std::array<NamedCode, N>& names) {
  std::string list;
  for (const auto& entry : names) {
    if (!list.empty()) list += ", ";
    list += entry.Name;
  }
  return list;
}

template <size_t N>
std::optional<int16_t> CodeOf(const std::array<NamedCode, N>& names, const std::string& value) {
  for (const auto& entry : names) {
    if (EqualsIgnoreCase(entry.Name, value)) return entry.Code;
  }
  return std::nullopt;
}

// A whole decimal number within [low, high], or an error text. Error texts never
// repeat the value: a mistyped command line may have put a password there.
std::string ReadNumber(const std::string& value, int32_t low, int32_t high, int32_t& result) {
  int32_t number = 0;
  const char* end = value.data() + value.size();
  const auto [stop, error] = std::from_chars(value.data(), end, number);
  const std::string range = std::to_string(low) + ".." + std::to_string(high);
  if (value.empty() || stop != end || error == std::errc::invalid_argument) {
    return "the value is not a whole number (" + range + ")";
  }
  if (error != std::errc() || number < low || number > high) {
    return "the value is outside " + range;
  }
  result = number;
  return {};
}

std::string ApplyPort(CliOptions& options, const std::string& value) {
  return ReadNumber(value, 1, 65535, options.Port);
}

std::string ApplyCommunity(CliOptions& options, const std::string& value) {
  options.Community = value;
  return {};
}

std::string ApplyVersion(CliOptions& options, const std::string& value) {
  if (EqualsIgnoreCase(value, "auto")) {
    options.SNMPVersion = 0;
  } else if (value == "1") {
    options.SNMPVersion = 1;
  } else if (EqualsIgnoreCase(value, "2c") || value == "2") {
    options.SNMPVersion = 2;
  } else if (value == "3") {
    options.SNMPVersion = 3;
  } else {
    return "the value is not one of auto, 1, 2c, 3";
  }
  options.VersionChosen = true;
  return {};
}

std::string ApplyUser(CliOptions& options, const std::string& value) {
  options.User = value;
  return {};
}

std::string ApplyContext(CliOptions& options, const std::string& value) {
  options.Context = value;
  return {};
}

std::string ApplyAuthType(CliOptions& options, const std::string& value) {
  const auto code = CodeOf(kAuthTypes, value);
  if (!code) return "the value is not one of " + NameList(kAuthTypes);
  options.AuthType = *code;
  return {};
}

std::string ApplyAuthPass(CliOptions& options, const std::string& value) {
  options.AuthPass = value;
  return {};
}

std::string ApplyPrivType(CliOptions& options, const std::string& value) {
  const auto code = CodeOf(kPrivTypes, value);
  if (!code) return "the value is not one of " + NameList(kPrivTypes);
  options.PrivType = *code;
  return {};
}

std::string ApplyPrivPass(CliOptions& options, const std::string& value) {
  options.PrivPass = value;
  return {};
}

std::string ApplyStats(CliOptions& options, const std::string& value) {
  if (TrimBlanks(value).empty()) return "the list of statistics is empty";
  options.Statistics = value;
  return {};
}

std::string ApplyInterval(CliOptions& options, const std::string& value) {
  // The control polls every 5 to 300 seconds; a value it would clamp is refused.
  int32_t seconds = 0;
  std::string error = ReadNumber(value, 5, 300, seconds);
  if (error.empty()) options.IntervalSeconds = seconds;
  return error.empty() ? error : error + " (seconds)";
}

std::string ApplyCycles(CliOptions& options, const std::string& value) {
  int32_t cycles = 0;
  std::string error = ReadNumber(value, 1, 1'000'000, cycles);
  if (error.empty()) options.Cycles = cycles;
  return error;
}

std::string ApplyFormat(CliOptions& options, const std::string& value) {
  if (EqualsIgnoreCase(value, "table")) {
    options.Format = OutputFormat::Table;
  } else if (EqualsIgnoreCase(value, "tsv")) {
    options.Format = OutputFormat::Tsv;
  } else if (EqualsIgnoreCase(value, "json")) {
    options.Format = OutputFormat::Json;
  } else {
    return "the value is not one of table, tsv, json";
  }
  return {};
}

std::string ApplyStatisticsFile(CliOptions& options, const std::string& value) {
  if (value.empty()) return "the path is empty";
  options.StatisticsFile = value;
  return {};
}

std::string ApplyTimeout(CliOptions& options, const std::string& value) {
  int32_t milliseconds = 0;
  std::string error = ReadNumber(value, kMinTimeoutMs, kMaxTimeoutMs, milliseconds);
  if (error.empty()) options.TimeoutMs = milliseconds;
  return error.empty() ? error : error + " (milliseconds)";
}

std::string ApplyRetries(CliOptions& options, const std::string& value) {
  int32_t retries = 0;
  std::string error = ReadNumber(value, 0, kMaxRetries, retries);
  if (error.empty()) options.Retries = retries;
  return error;
}

std::string ApplySynchronous(CliOptions& options, const std::string&) {
  options.Synchronous = true;
  return {};
}

std::string ApplyListStatistics(CliOptions& options, const std::string&) {
  options.ListStatistics = true;
  return {};
}

std::string ApplyDescribe(CliOptions& options, const std::string&) {
  options.Describe = true;
  return {};
}

std::string AddAction(CliOptions& options, const std::string& value, InterfaceAction::Kind what) {
  int32_t ifIndex = 0;
  std::string error = ReadNumber(value, 1, 2147483647, ifIndex);
  if (error.empty()) options.Actions.push_back({what, ifIndex});
  return error;
}

std::string ApplyEnable(CliOptions& options, const std::string& value) {
  return AddAction(options, value, InterfaceAction::Kind::Enable);
}

std::string ApplyShutdown(CliOptions& options, const std::string& value) {
  return AddAction(options, value, InterfaceAction::Kind::Shutdown);
}

constexpr std::array kOptions{
    OptionSpec{"--port", true, ApplyPort},
    OptionSpec{"--community", true, ApplyCommunity},
    OptionSpec{"--snmp-version", true, ApplyVersion},
    OptionSpec{"--user", true, ApplyUser},
    OptionSpec{"--context", true, ApplyContext},
    OptionSpec{"--auth-type", true, ApplyAuthType},
    OptionSpec{"--auth-pass", true, ApplyAuthPass},
    OptionSpec{"--priv-type", true, ApplyPrivType},
    OptionSpec{"--priv-pass", true, ApplyPrivPass},
    OptionSpec{"--stats", true, ApplyStats},
    OptionSpec{"--interval", true, ApplyInterval},
    OptionSpec{"--cycles", true, ApplyCycles},
    OptionSpec{"--timeout", true, ApplyTimeout},
    OptionSpec{"--retries", true, ApplyRetries},
    OptionSpec{"--synchronous", false, ApplySynchronous},
    OptionSpec{"--format", true, ApplyFormat},
    OptionSpec{"--statistics-file", true, ApplyStatisticsFile},
    OptionSpec{"--list-statistics", false, ApplyListStatistics},
    OptionSpec{"--describe", false, ApplyDescribe},
    OptionSpec{"--enable", true, ApplyEnable},
    OptionSpec{"--shutdown", true, ApplyShutdown},
};

const OptionSpec* FindOption(std::string_view name) {
  for (const auto& option : kOptions) {
    if (option.Name == name) return &option;
  }
  return nullptr;
}

// The longest option name that begins an argument which is that name with more
// text glued on (--auth-passSECRET); none when no name fits.
const OptionSpec* OptionGluedTo(std::string_view name) {
  const OptionSpec* found = nullptr;
  for (const auto& option : kOptions) {
    if (name.size() > option.Name.size() && name.substr(0, option.Name.size()) == option.Name &&
        (found == nullptr || option.Name.size() > found->Name.size())) {
      found = &option;
    }
  }
  return found;
}

// Edits (insertions, deletions, replacements) between two short texts.
size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The option an unknown name probably meant: the only one it abbreviates, or the
// nearest one at most two edits away. Only that option's own name is ever shown.
const OptionSpec* LikelyOption(std::string_view name) {
  constexpr size_t kLongestLikelyName = 32;
  constexpr size_t kMostEdits = 2;
  if (name.size() < 4 || name.size() > kLongestLikelyName) return nullptr;
  const OptionSpec* abbreviated = nullptr;
  int abbreviations = 0;
  const OptionSpec* nearest = nullptr;
  size_t nearestEdits = kMostEdits + 1;
  for (const auto& option : kOptions) {
    if (option.Name.substr(0, name.size()) == name) {
      abbreviated = &option;
      ++abbreviations;
    }
    const size_t edits = EditDistance(name, option.Name);
    if (edits < nearestEdits) {
      nearest = &option;
      nearestEdits = edits;
    }
  }
  return abbreviations == 1 ? abbreviated : nearest;
}

// The error for an argument that begins with '-' and is no option. It never
// quotes the argument, which may be a password typed in the wrong place: it
// names the argument's position and at most a known option.
std::string UnknownOptionError(std::string_view name, size_t position) {
  const std::string where = " (argument " + std::to_string(position) + ")";
  if (const OptionSpec* glued = OptionGluedTo(name)) {
    const std::string known(glued->Name);
    if (!glued->TakesValue) return known + " takes no value" + where;
    return known + " needs its value as a separate argument or after '='" + where;
  }
  std::string error = "unknown option" + where;
  if (const OptionSpec* likely = LikelyOption(name)) {
    error += "; did you mean " + std::string(likely->Name) + "?";
  }
  return error + " (see --help)";
}

// The error for more than one argument that is not an option. The arguments are
// not quoted (one may be a stray password); their positions are.
std::string ExtraTargetsError(const std::vector<size_t>& positions) {
  std::string list;
  for (size_t i = 0; i < positions.size(); ++i) {
    if (i > 0) list += i + 1 == positions.size() ? " and " : ", ";
    list += std::to_string(positions[i]);
  }
  return "only one TARGET may be given, but " + std::to_string(positions.size()) +
         " arguments are not options (arguments " + list +
         "); an option's value must follow it directly";
}

ParseOutcome Failure(std::string message) {
  ParseOutcome outcome;
  outcome.What = ParseOutcome::Kind::UsageError;
  outcome.Error = std::move(message);
  return outcome;
}

// Rules that concern several options at once; an error text, or empty.
std::string CheckCombination(CliOptions& options, const OptionParser::Environment& environment) {
  // Passwords on the command line win over the environment.
  if (options.AuthPass.empty()) {
    options.AuthPass = environment(OptionParser::kAuthPassVariable).value_or("");
  }
  if (options.PrivPass.empty()) {
    options.PrivPass = environment(OptionParser::kPrivPassVariable).value_or("");
  }
  // A user name without a chosen version means SNMPv3: the control's own
  // detection only tries SNMPv2c and SNMPv1.
  if (!options.VersionChosen && !options.User.empty()) options.SNMPVersion = 3;

  if (options.SNMPVersion != 3) {
    if (!options.User.empty()) return "--user: a user name is for SNMPv3 (--snmp-version 3)";
    if (!options.Context.empty()) return "--context: a context is for SNMPv3 (--snmp-version 3)";
    if (options.AuthType != kAuthNone) return "--auth-type: authentication is for SNMPv3";
    if (options.PrivType != kPrivNone) return "--priv-type: privacy is for SNMPv3";
    return {};
  }
  if (options.User.empty()) return "--user: SNMPv3 needs a user name";
  if (options.PrivType != kPrivNone && options.AuthType == kAuthNone) {
    return "--priv-type: privacy needs authentication (--auth-type)";
  }
  if (options.AuthType != kAuthNone && options.AuthPass.empty()) {
    return std::string("--auth-pass: authentication needs a password (--auth-pass or ") +
           OptionParser::kAuthPassVariable + ")";
  }
  if (options.PrivType != kPrivNone && options.PrivPass.empty()) {
    return std::string("--priv-pass: privacy needs a password (--priv-pass or ") +
           OptionParser::kPrivPassVariable + ")";
  }
  return {};
}

}  // namespace

ParseOutcome OptionParser::Parse(const std::vector<std::string>& args,
                                 const Environment& environment) {
  ParseOutcome outcome;
  CliOptions& options = outcome.Options;
  std::vector<std::string> targets;
  std::vector<size_t> targetPositions;  // 1-based, for messages that must not quote them
  bool optionsEnded = false;

  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      targets.push_back(arg);
      targetPositions.push_back(i + 1);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      outcome.What = ParseOutcome::Kind::Help;
      return outcome;
    }
    if (arg == "--version") {
      outcome.What = ParseOutcome::Kind::Version;
      return outcome;
    }
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const OptionSpec* option = FindOption(name);
    if (option == nullptr) return Failure(UnknownOptionError(name, i + 1));

    std::string value;
    if (!option->TakesValue) {
      if (equals != std::string::npos) return Failure(name + " takes no value");
    } else if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) {
      value = args[++i];
    } else {
      return Failure(name + " needs a value");
    }
    if (std::string error = option->Handler(options, value); !error.empty()) {
      return Failure(name + ": " + error);
    }
  }

  if (targets.size() > 1) {
    return Failure(ExtraTargetsError(targetPositions));
  }
  if (!targets.empty()) options.Target = targets[0];
  if (options.Target.empty() && !options.ListStatistics && !options.Describe) {
    return Failure("TARGET is missing: the device's host name or IPv4 address (see --help)");
  }
  if (std::string error = CheckCombination(options, environment); !error.empty()) {
    return Failure(error);
  }
  if (options.Statistics.empty()) options.Statistics = kEverydayStatistics;
  return outcome;
}

OptionParser::Environment OptionParser::ProcessEnvironment() {
  return [](const std::string& name) -> std::optional<std::string> {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  };
}

std::string OptionParser::Usage() {
  return std::string(
             "Usage: linkwatch [OPTIONS] TARGET\n"
             "Monitors the network interfaces of the device TARGET (host name or IPv4\n"
             "address) over SNMP and prints a table of its interfaces after every poll.\n"
             "\n"
             "Device and credentials:\n"
             "  --port N                 agent UDP port (default 161)\n"
             "  --community TEXT         SNMPv1/v2c community (default public)\n"
             "  --snmp-version V         auto (default), 1, 2c or 3. auto detects the\n"
             "                           version (v2c first, then v1), or means 3 when\n"
             "                           --user is given; 1 and 2c are detected again\n"
             "                           in the same way when monitoring starts\n"
             "  --user U                 SNMPv3 user name\n"
             "  --context C              SNMPv3 context (default none)\n"
             "  --auth-type T            none (default), md5, sha, sha224, sha256, sha384,\n"
             "                           sha512\n"
             "  --auth-pass P            authentication password; or set the environment\n"
             "                           variable ") +
         kAuthPassVariable +
         "\n"
         "  --priv-type T            none (default), des, aes, aes192, aes256\n"
         "  --priv-pass P            privacy password; or set " +
         kPrivPassVariable +
         "\n"
         "\n"
         "What to show:\n"
         "  --stats LIST             comma-separated statistic names (default:\n"
         "                           " +
         kEverydayStatistics +
         ")\n"
         "  --statistics-file PATH   read the statistics from PATH instead of the file\n"
         "                           beside the program\n"
         "  --list-statistics        print the defined statistics (name, header,\n"
         "                           parser, units, group), one a line, and exit\n"
         "  --describe               print the type library (the classes a host can\n"
         "                           create and their members in order) and exit\n"
         "  --format F               table (aligned, the default), tsv or json\n"
         "\n"
         "Polling:\n"
         "  --interval SECONDS       poll every SECONDS (5..300) on the control's own\n"
         "                           timer; without it the monitor polls every 30 s\n"
         "                           (the second poll always comes 7 s after the first)\n"
         "  --cycles N               print N complete poll cycles, then exit 0;\n"
         "                           without it, run until interrupted (Ctrl-C)\n"
         "  --timeout MS             wait MS milliseconds (10..60000, default 1000)\n"
         "                           for each try of a request\n"
         "  --retries N              send an unanswered request N more times (0..10,\n"
         "                           default 1)\n"
         "  --synchronous            start every statistic's walk at once instead of\n"
         "                           one after another; a failing column ends only\n"
         "                           its own walk. Faster on slow links and large\n"
         "                           devices, but the agent gets several requests at\n"
         "                           once (one per statistic)\n"
         "\n"
         "Device actions (once the first poll has found the interfaces):\n"
         "  --enable IFINDEX         set the interface administratively up\n"
         "  --shutdown IFINDEX       set the interface administratively down\n"
         "\n"
         "  --help                   print this text and exit\n"
         "  --version                print the version and exit\n"
         "\n"
         "Exit codes: 0 success, 2 usage error, 3 monitoring could not start,\n"
         "4 an --enable or --shutdown was refused.\n";
}

}  // namespace linkwatch::cli
