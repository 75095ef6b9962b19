// Targets for the command-line monitor: its option parser with random command
// lines, and its JSON output with device texts of any bytes.
#include "FuzzTarget.h"
#include "JsonFormatter.h"
#include "JsonText.h"
#include "OptionParser.h"
#include "SystemSummary.h"
#include "GridSnapshot.h"
#include "apps/cli/JsonCheck.h"

namespace linkwatch::fuzz {
namespace {

// Planted in every random command line and environment: no usage error may repeat it.
constexpr const char* kSecret = "S3cr3tZ";

const std::vector<std::string> kOptionNames = {
    "--port", "--community", "--snmp-version", "--user", "--context", "--auth-type",
    "--auth-pass", "--priv-type", "--priv-pass", "--stats", "--interval", "--cycles",
    "--format", "--statistics-file", "--list-statistics", "--describe", "--enable",
    "--shutdown", "--timeout", "--retries", "--synchronous", "--", "-", "-h", "--version"};

const std::vector<std::string> kValues = {"161", "3", "2c", "auto", "sha", "aes", "json", "tsv",
                                          "0", "-1", "", "=", "public", "router", "127.0.0.1"};

std::string Argument(FuzzInput& input) {
  switch (input.Below(7)) {
    case 0: return input.Pick(kOptionNames);
    case 1: return input.Pick(kOptionNames) + "=" + (input.OneIn(2) ? kSecret : input.Pick(kValues));
    case 2: return input.Pick(kOptionNames) + kSecret;  // a value glued to its option
    case 3: return (input.OneIn(2) ? "-" : "--") + std::string(kSecret);
    case 4: return input.Mutate(kSecret);
    case 5: return input.Pick(kValues);
    default: return input.Text(16) + kSecret;
  }
}

void FuzzOptionParser(FuzzInput& input, FuzzFailures& failures) {
  std::vector<std::string> args;
  const size_t count = input.Below(9);
  for (size_t i = 0; i < count; ++i) args.push_back(Argument(input));
  const bool secretEnvironment = input.OneIn(2);
  const auto environment = [secretEnvironment](const std::string&) -> std::optional<std::string> {
    if (!secretEnvironment) return std::nullopt;
    return std::string(kSecret);
  };
  const cli::ParseOutcome outcome = cli::OptionParser::Parse(args, environment);
  if (outcome.What != cli::ParseOutcome::Kind::UsageError) return;
  std::string described;
  for (const std::string& arg : args) described += "[" + arg + "] ";
  if (outcome.Error.empty()) failures.Fail("a usage error without a message", described);
  if (outcome.Error.find(kSecret) != std::string::npos) {
    failures.Fail("a usage error repeats typed text: " + outcome.Error, described);
  }
  if (outcome.Error.find('\n') != std::string::npos) {
    failures.Fail("a usage error of several lines", described);
  }
}

std::vector<std::string> Texts(FuzzInput& input, size_t count) {
  std::vector<std::string> texts;
  for (size_t i = 0; i < count; ++i) texts.push_back(input.Text(40));
  return texts;
}

void FuzzJsonOutput(FuzzInput& input, FuzzFailures& failures) {
  cli::SystemSummary system;
  for (std::string* field : {&system.SysName, &system.SysDescr, &system.SystemOID,
                             &system.LastBoot, &system.SysLocation, &system.SysContact,
                             &system.Vendor, &system.MachineType, &system.IP}) {
    *field = input.OneIn(3) ? std::string() : input.Text(40);
  }
  system.SysUpTime = input.Double();
  system.UpTimeNow = input.Double();
  system.SNMPVersion = input.Int32();
  system.InterfaceCount = input.Int32();
  cli::GridSnapshot grid;
  const size_t columns = input.Below(5);
  grid.ColumnKeys = Texts(input, columns);
  grid.Headers = Texts(input, columns);
  const size_t rows = input.Below(5);
  for (size_t r = 0; r < rows; ++r) {
    cli::SnapshotRow row;
    row.Key = input.Text(12);
    row.Child = input.OneIn(2);
    row.Cells = Texts(input, columns);
    grid.Rows.push_back(std::move(row));
  }
  const std::string json = cli::JsonFormatter().Format(system, grid);
  std::string error;
  if (json.empty() || json.back() != '\n' || json.find('\n') != json.size() - 1) {
    failures.Fail("the JSON is not one line", json);
  } else if (!cli::testing_json::IsValidJson(std::string_view(json).substr(0, json.size() - 1),
                                             error)) {
    failures.Fail("the JSON does not parse: " + error, json);
  }

  // A well-formed text without anything to escape is quoted unchanged.
  const std::string text = input.Text(24);
  bool plain = true;
  for (size_t i = 0; i < text.size() && plain;) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const size_t length = cli::JsonText::Utf8SequenceLength(std::string_view(text).substr(i));
    plain = length > 0 && byte >= 0x20 && byte != '"' && byte != '\\';
    i += length;
  }
  if (plain && cli::JsonText::Quote(text) != "\"" + text + "\"") {
    failures.Fail("a plain text changed when quoted", text);
  }
}

}  // namespace

std::vector<FuzzTarget> CliTargets() {
  return {{"command-line options", FuzzOptionParser}, {"JSON output", FuzzJsonOutput}};
}

}  // namespace linkwatch::fuzz
