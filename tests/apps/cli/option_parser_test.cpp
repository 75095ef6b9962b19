// The command line of linkwatch: every option, passwords from the environment,
// and usage errors that name the option at fault.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "OptionParser.h"
#include "components/SnmpSecurity.h"

namespace linkwatch::cli {
namespace {

using Args = std::vector<std::string>;

OptionParser::Environment EnvironmentOf(std::map<std::string, std::string> variables) {
  return [variables](const std::string& name) -> std::optional<std::string> {
    const auto found = variables.find(name);
    if (found == variables.end()) return std::nullopt;
    return found->second;
  };
}

ParseOutcome ParseArgs(const Args& args, std::map<std::string, std::string> env = {}) {
  return OptionParser::Parse(args, EnvironmentOf(std::move(env)));
}

struct OptionCase {
  const char* Name;
  Args Arguments;
  std::function<void(const CliOptions&)> Check;
  std::map<std::string, std::string> Environment = {};
};

void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.Name; }

class EveryOption : public ::testing::TestWithParam<OptionCase> {};

TEST_P(EveryOption, SetsItsField) {
  const ParseOutcome outcome = ParseArgs(GetParam().Arguments, GetParam().Environment);
  ASSERT_EQ(outcome.What, ParseOutcome::Kind::Run) << outcome.Error;
  GetParam().Check(outcome.Options);
}

// An SNMPv3 command line: the user, then more, then the target.
Args V3(const Args& more) {
  Args args = {"--user", "watcher"};
  args.insert(args.end(), more.begin(), more.end());
  args.push_back("h");
  return args;
}

INSTANTIATE_TEST_SUITE_P(
    Options, EveryOption,
    ::testing::Values(
        OptionCase{"EveryValueOptionAndActionsInOrder",
                   {"--port=65535", "--community=s3cret-ro", "--stats", "In Traffic,Speed",
                    "--interval", "10", "--cycles=3", "--statistics-file", "/tmp/my.cfg",
                    "--shutdown", "4", "--timeout", "2500", "--retries=0", "--synchronous", "h",
                    "--enable", "2"},
                   [](const auto& o) {
                     EXPECT_EQ(o.Target, "h");
                     EXPECT_EQ(o.Port, 65535);
                     EXPECT_EQ(o.Community, "s3cret-ro");
                     EXPECT_EQ(o.Statistics, "In Traffic,Speed");
                     EXPECT_EQ(o.IntervalSeconds, 10);
                     EXPECT_EQ(o.Cycles, 3);
                     EXPECT_EQ(o.StatisticsFile, "/tmp/my.cfg");
                     EXPECT_EQ(o.TimeoutMs, 2500);
                     EXPECT_EQ(o.Retries, 0);
                     EXPECT_TRUE(o.Synchronous);
                     ASSERT_EQ(o.Actions.size(), 2u);
                     EXPECT_EQ(o.Actions[0].What, InterfaceAction::Kind::Shutdown);
                     EXPECT_EQ(o.Actions[0].IfIndex, 4);
                     EXPECT_EQ(o.Actions[1].What, InterfaceAction::Kind::Enable);
                     EXPECT_EQ(o.Actions[1].IfIndex, 2);
                   }},
        OptionCase{"VersionsAndFormatsByNameInAnyLetterCase",
                   {"--snmp-version", "2C", "--format", "JSON", "h"},
                   [](const auto& o) {
                     EXPECT_EQ(o.SNMPVersion, 2);
                     EXPECT_EQ(o.Format, OutputFormat::Json);
                   }},
        OptionCase{"UserMeansVersion3", V3({"--context", "bridge1"}),
                   [](const auto& o) {
                     EXPECT_EQ(o.SNMPVersion, 3);
                     EXPECT_EQ(o.User, "watcher");
                     EXPECT_EQ(o.Context, "bridge1");
                   }},
        OptionCase{"PasswordsFromTheEnvironment",
                   V3({"--auth-type", "SHA256", "--priv-type", "aes"}),
                   [](const auto& o) {
                     EXPECT_EQ(o.AuthType, kAuthSha256);
                     EXPECT_EQ(o.PrivType, kPrivAes128);
                     EXPECT_EQ(o.AuthPass, "auth-from-env");
                     EXPECT_EQ(o.PrivPass, "priv-from-env");
                   },
                   {{OptionParser::kAuthPassVariable, "auth-from-env"},
                    {OptionParser::kPrivPassVariable, "priv-from-env"}}},
        OptionCase{"CommandLineWinsOverTheEnvironment",
                   V3({"--auth-type", "sha", "--auth-pass", "given"}),
                   [](const auto& o) { EXPECT_EQ(o.AuthPass, "given"); },
                   {{OptionParser::kAuthPassVariable, "auth-from-env"}}},
        OptionCase{"ListingsNeedNoTarget", {"--list-statistics", "--describe"},
                   [](const auto& o) {
                     EXPECT_TRUE(o.ListStatistics && o.Describe && o.Target.empty());
                   }},
        OptionCase{"TargetAfterDoubleDash", {"--port", "9", "--", "-odd-name"},
                   [](const auto& o) { EXPECT_EQ(o.Target, "-odd-name"); }},
        OptionCase{"ValueStartingWithDashesByEquals", {"--community=--weird", "h"},
                   [](const auto& o) { EXPECT_EQ(o.Community, "--weird"); }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(OptionParserKinds, HelpAndVersionWinOverEverythingElse) {
  EXPECT_EQ(ParseArgs({"--help"}).What, ParseOutcome::Kind::Help);
  EXPECT_EQ(ParseArgs({"--port", "1", "--version"}).What, ParseOutcome::Kind::Version);
}

struct ErrorCase {
  const char* Name;
  Args Arguments;
  const char* Names;  // what the message must say
  std::map<std::string, std::string> Environment = {};
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.Name; }

class UsageErrors : public ::testing::TestWithParam<ErrorCase> {};

// The secret every case types somewhere: a password in the wrong place.
constexpr const char* kSecret = "hunter22";

TEST_P(UsageErrors, SayWhatIsWrongWithoutRepeatingWhatWasTyped) {
  const ParseOutcome outcome = ParseArgs(GetParam().Arguments, GetParam().Environment);
  ASSERT_EQ(outcome.What, ParseOutcome::Kind::UsageError);
  EXPECT_NE(outcome.Error.find(GetParam().Names), std::string::npos) << outcome.Error;
  EXPECT_EQ(outcome.Error.find(kSecret), std::string::npos) << outcome.Error;
  EXPECT_EQ(outcome.Error.find('\n'), std::string::npos) << "one line: " << outcome.Error;
}

INSTANTIATE_TEST_SUITE_P(
    Options, UsageErrors,
    ::testing::Values(
        ErrorCase{"UnknownOption", {"--colour", "h"}, "unknown option (argument 1)"},
        ErrorCase{"UnknownOptionWithPassword", {"h", "--auth-pas=hunter22"},
                  "unknown option (argument 2); did you mean --auth-pass?"},
        ErrorCase{"StrayPasswordWithADash", {"--port", "9", "-hunter22", "h"}, "argument 3"},
        ErrorCase{"AbbreviationNamesTheKnownOption", {"--synchro", "h"},
                  "did you mean --synchronous?"},
        ErrorCase{"AuthPassGlued", {"--auth-passhunter22", "h"},
                  "--auth-pass needs its value as a separate argument or after '='"},
        ErrorCase{"FlagGlued", {"--synchronoushunter22", "h"}, "--synchronous takes no value"},
        ErrorCase{"FlagWithValue", {"--list-statistics=hunter22"}, "--list-statistics takes no value"},
        ErrorCase{"StrayPasswordFirst", {"hunter22", "--port", "9", "h", "x"},
                  "3 arguments are not options (arguments 1, 4 and 5)"},
        ErrorCase{"MissingValueAtEnd", {"h", "--port"}, "--port needs a value"},
        ErrorCase{"MissingValueBeforeOption", {"--community", "--port", "9", "h"}, "--community"},
        ErrorCase{"PortNotANumber", {"--port", "hunter22", "h"}, "--port: the value is not a whole number"},
        ErrorCase{"PortHuge", {"--port", "99999999999999999999", "h"},
                  "--port: the value is outside 1..65535"},
        ErrorCase{"BadVersion", {"--snmp-version", "hunter22", "h"}, "--snmp-version"},
        ErrorCase{"BadAuthType", {"--user", "u", "--auth-type", "hunter22", "h"}, "--auth-type"},
        ErrorCase{"IntervalTooShort", {"--interval", "1", "h"}, "--interval"},
        ErrorCase{"EmptyStats", {"--stats", " ", "h"}, "--stats"},
        ErrorCase{"NoTarget", {"--port", "161"}, "TARGET"},
        ErrorCase{"Version3WithoutUser", {"--snmp-version", "3", "h"}, "--user"},
        ErrorCase{"UserWithVersion2c", {"--snmp-version", "2c", "--user", "u", "h"}, "--user",
                  {{OptionParser::kAuthPassVariable, kSecret}}},
        ErrorCase{"AuthWithoutPassword", {"--user", "u", "--auth-type", "sha", "h"}, "--auth-pass",
                  {{OptionParser::kPrivPassVariable, kSecret}}},
        ErrorCase{"PrivWithoutAuth",
                  {"--user", "u", "--priv-type", "aes", "--priv-pass", "hunter22", "h"},
                  "--priv-type"},
        ErrorCase{"PrivWithoutPassword",
                  {"--user", "u", "--auth-type", "sha", "--auth-pass", "hunter22", "--priv-type",
                   "des", "h"},
                  "--priv-pass"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace linkwatch::cli
