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
};

void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.Name; }

class EveryOption : public ::testing::TestWithParam<OptionCase> {};

TEST_P(EveryOption, SetsItsField) {
  const ParseOutcome outcome = ParseArgs(GetParam().Arguments);
  ASSERT_EQ(outcome.What, ParseOutcome::Kind::Run) << outcome.Error;
  GetParam().Check(outcome.Options);
}

const Args kV3 = {"--user", "watcher"};

Args With(Args base, const Args& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}

INSTANTIATE_TEST_SUITE_P(
    Options, EveryOption,
    ::testing::Values(
        OptionCase{"Defaults", {"router"},
                   [](const CliOptions& o) {
                     EXPECT_EQ(o.Target, "router");
                     EXPECT_EQ(o.Port, 161);
                     EXPECT_EQ(o.Community, "public");
                     EXPECT_EQ(o.SNMPVersion, 0);
                     EXPECT_EQ(o.Format, OutputFormat::Table);
                     EXPECT_EQ(o.Statistics, kEverydayStatistics);
                     EXPECT_FALSE(o.IntervalSeconds.has_value());
                     EXPECT_FALSE(o.Cycles.has_value());
                     EXPECT_TRUE(o.Actions.empty());
                     EXPECT_FALSE(o.ListStatistics);
                   }},
        OptionCase{"Port", {"--port", "1161", "h"}, [](const CliOptions& o) { EXPECT_EQ(o.Port, 1161); }},
        OptionCase{"PortWithEquals", {"--port=65535", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.Port, 65535); }},
        OptionCase{"Community", {"--community", "s3cret-ro", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.Community, "s3cret-ro"); }},
        OptionCase{"VersionAuto", {"--snmp-version", "AUTO", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.SNMPVersion, 0); }},
        OptionCase{"Version1", {"--snmp-version", "1", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.SNMPVersion, 1); }},
        OptionCase{"Version2c", {"--snmp-version", "2c", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.SNMPVersion, 2); }},
        OptionCase{"Version3", With({"--snmp-version", "3", "h"}, kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.SNMPVersion, 3); }},
        OptionCase{"UserMeansVersion3", With({"h"}, kV3),
                   [](const CliOptions& o) {
                     EXPECT_EQ(o.SNMPVersion, 3);
                     EXPECT_EQ(o.User, "watcher");
                   }},
        OptionCase{"Context", With({"--context", "bridge1", "h"}, kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.Context, "bridge1"); }},
        OptionCase{"AuthMd5", With({"--auth-type", "md5", "--auth-pass", "p4ssword", "h"}, kV3),
                   [](const CliOptions& o) {
                     EXPECT_EQ(o.AuthType, kAuthMd5);
                     EXPECT_EQ(o.AuthPass, "p4ssword");
                   }},
        OptionCase{"AuthSha", With({"--auth-type", "SHA", "--auth-pass", "p4ssword", "h"}, kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.AuthType, kAuthSha1); }},
        OptionCase{"AuthSha224", With({"--auth-type", "sha224", "--auth-pass", "p4ssword", "h"}, kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.AuthType, kAuthSha224); }},
        OptionCase{"AuthSha256", With({"--auth-type", "sha256", "--auth-pass", "p4ssword", "h"}, kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.AuthType, kAuthSha256); }},
        OptionCase{"AuthSha384", With({"--auth-type", "sha384", "--auth-pass", "p4ssword", "h"}, kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.AuthType, kAuthSha384); }},
        OptionCase{"AuthSha512", With({"--auth-type", "sha512", "--auth-pass", "p4ssword", "h"}, kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.AuthType, kAuthSha512); }},
        OptionCase{"PrivDes",
                   With({"--auth-type", "sha", "--auth-pass", "a", "--priv-type", "des",
                         "--priv-pass", "privpass", "h"},
                        kV3),
                   [](const CliOptions& o) {
                     EXPECT_EQ(o.PrivType, kPrivDes);
                     EXPECT_EQ(o.PrivPass, "privpass");
                   }},
        OptionCase{"PrivAes",
                   With({"--auth-type", "sha", "--auth-pass", "a", "--priv-type", "aes",
                         "--priv-pass", "p", "h"},
                        kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.PrivType, kPrivAes128); }},
        OptionCase{"PrivAes192",
                   With({"--auth-type", "sha", "--auth-pass", "a", "--priv-type", "aes192",
                         "--priv-pass", "p", "h"},
                        kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.PrivType, kPrivAes192); }},
        OptionCase{"PrivAes256",
                   With({"--auth-type", "sha", "--auth-pass", "a", "--priv-type", "aes256",
                         "--priv-pass", "p", "h"},
                        kV3),
                   [](const CliOptions& o) { EXPECT_EQ(o.PrivType, kPrivAes256); }},
        OptionCase{"Stats", {"--stats", "In Traffic,Speed", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.Statistics, "In Traffic,Speed"); }},
        OptionCase{"Interval", {"--interval", "10", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.IntervalSeconds, 10); }},
        OptionCase{"Cycles", {"--cycles", "3", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.Cycles, 3); }},
        OptionCase{"FormatTsv", {"--format", "tsv", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.Format, OutputFormat::Tsv); }},
        OptionCase{"FormatJson", {"--format=JSON", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.Format, OutputFormat::Json); }},
        OptionCase{"FormatTable", {"--format", "table", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.Format, OutputFormat::Table); }},
        OptionCase{"StatisticsFile", {"--statistics-file", "/tmp/my.cfg", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.StatisticsFile, "/tmp/my.cfg"); }},
        OptionCase{"ListStatisticsNeedsNoTarget", {"--list-statistics"},
                   [](const CliOptions& o) {
                     EXPECT_TRUE(o.ListStatistics);
                     EXPECT_TRUE(o.Target.empty());
                   }},
        OptionCase{"DescribeNeedsNoTarget", {"--describe"},
                   [](const CliOptions& o) {
                     EXPECT_TRUE(o.Describe);
                     EXPECT_TRUE(o.Target.empty());
                   }},
        OptionCase{"ActionsInOrder", {"--shutdown", "4", "h", "--enable", "2"},
                   [](const CliOptions& o) {
                     ASSERT_EQ(o.Actions.size(), 2u);
                     EXPECT_EQ(o.Actions[0].What, InterfaceAction::Kind::Shutdown);
                     EXPECT_EQ(o.Actions[0].IfIndex, 4);
                     EXPECT_EQ(o.Actions[1].What, InterfaceAction::Kind::Enable);
                     EXPECT_EQ(o.Actions[1].IfIndex, 2);
                   }},
        OptionCase{"TimeoutRetriesSynchronous",
                   {"--timeout", "2500", "--retries=0", "--synchronous", "h"},
                   [](const CliOptions& o) {
                     EXPECT_EQ(o.TimeoutMs, 2500);
                     EXPECT_EQ(o.Retries, 0);
                     EXPECT_TRUE(o.Synchronous);
                   }},
        OptionCase{"EngineDefaultsStay", {"h"},
                   [](const CliOptions& o) {
                     EXPECT_FALSE(o.TimeoutMs.has_value());
                     EXPECT_FALSE(o.Retries.has_value());
                     EXPECT_FALSE(o.Synchronous);
                   }},
        OptionCase{"TargetAfterDoubleDash", {"--port", "9", "--", "-odd-name"},
                   [](const CliOptions& o) { EXPECT_EQ(o.Target, "-odd-name"); }},
        OptionCase{"ValueStartingWithDashesByEquals", {"--community=--weird", "h"},
                   [](const CliOptions& o) { EXPECT_EQ(o.Community, "--weird"); }}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(OptionParserEnvironment, PasswordsComeFromTheEnvironment) {
  const ParseOutcome outcome =
      ParseArgs({"--user", "u", "--auth-type", "sha", "--priv-type", "aes", "h"},
                {{OptionParser::kAuthPassVariable, "auth-from-env"},
                 {OptionParser::kPrivPassVariable, "priv-from-env"}});
  ASSERT_EQ(outcome.What, ParseOutcome::Kind::Run) << outcome.Error;
  EXPECT_EQ(outcome.Options.AuthPass, "auth-from-env");
  EXPECT_EQ(outcome.Options.PrivPass, "priv-from-env");
}

TEST(OptionParserEnvironment, TheCommandLineWinsOverTheEnvironment) {
  const ParseOutcome outcome =
      ParseArgs({"--user", "u", "--auth-type", "sha", "--auth-pass", "given", "h"},
                {{OptionParser::kAuthPassVariable, "auth-from-env"}});
  ASSERT_EQ(outcome.What, ParseOutcome::Kind::Run) << outcome.Error;
  EXPECT_EQ(outcome.Options.AuthPass, "given");
}

TEST(OptionParserKinds, HelpAndVersionWinOverEverythingElse) {
  EXPECT_EQ(ParseArgs({"--help"}).What, ParseOutcome::Kind::Help);
  EXPECT_EQ(ParseArgs({"-h"}).What, ParseOutcome::Kind::Help);
  EXPECT_EQ(ParseArgs({"--port", "1", "--version"}).What, ParseOutcome::Kind::Version);
}

TEST(OptionParserKinds, UsageTellsThatVersionsOneAndTwoAreDetectedAgain) {
  const std::string usage = OptionParser::Usage();
  EXPECT_NE(usage.find("1 and 2c are detected again"), std::string::npos) << usage;
  for (const char* option : {"--port", "--community", "--snmp-version", "--user", "--context",
                             "--auth-type", "--auth-pass", "--priv-type", "--priv-pass",
                             "--stats", "--interval", "--cycles", "--format",
                             "--statistics-file", "--list-statistics", "--enable",
                             "--shutdown", "--timeout", "--retries", "--synchronous",
                             OptionParser::kAuthPassVariable,
                             OptionParser::kPrivPassVariable}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
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
        ErrorCase{"UnknownOptionIsThePassword", {"--hunter22", "h"}, "argument 1"},
        ErrorCase{"StrayPasswordWithADash", {"--port", "9", "-hunter22", "h"}, "argument 3"},
        ErrorCase{"TypoNamesTheKnownOption", {"--comunity", "hunter22", "h"},
                  "did you mean --community?"},
        ErrorCase{"AbbreviationNamesTheKnownOption", {"--synchro", "h"},
                  "did you mean --synchronous?"},
        ErrorCase{"AuthPassGlued", {"--auth-passhunter22", "h"},
                  "--auth-pass needs its value as a separate argument or after '='"},
        ErrorCase{"PrivPassGlued", {"--user", "u", "--priv-passhunter22", "h"},
                  "--priv-pass needs its value"},
        ErrorCase{"CommunityGlued", {"--communityhunter22", "h"}, "--community needs its value"},
        ErrorCase{"FlagGlued", {"--synchronoushunter22", "h"}, "--synchronous takes no value"},
        ErrorCase{"FlagWithValue", {"--list-statistics=hunter22"}, "--list-statistics takes no value"},
        ErrorCase{"StrayPassword", {"h", "hunter22"}, "2 arguments are not options (arguments 1 and 2)"},
        ErrorCase{"StrayPasswordFirst", {"hunter22", "--port", "9", "h", "x"},
                  "3 arguments are not options (arguments 1, 4 and 5)"},
        ErrorCase{"MissingValueAtEnd", {"h", "--port"}, "--port needs a value"},
        ErrorCase{"MissingValueBeforeOption", {"--community", "--port", "9", "h"}, "--community"},
        ErrorCase{"PortNotANumber", {"--port", "hunter22", "h"}, "--port: the value is not a whole number"},
        ErrorCase{"PortTrailingText", {"--port", "161hunter22", "h"}, "--port"},
        ErrorCase{"PortTooLarge", {"--port", "70000", "h"}, "--port: the value is outside 1..65535"},
        ErrorCase{"PortHuge", {"--port", "99999999999999999999", "h"}, "outside 1..65535"},
        ErrorCase{"PortZero", {"--port", "0", "h"}, "--port"},
        ErrorCase{"BadVersion", {"--snmp-version", "hunter22", "h"}, "--snmp-version"},
        ErrorCase{"BadAuthType", {"--user", "u", "--auth-type", "hunter22", "h"}, "--auth-type"},
        ErrorCase{"BadPrivType", {"--user", "u", "--priv-type", "hunter22", "h"}, "--priv-type"},
        ErrorCase{"IntervalTooShort", {"--interval", "1", "h"}, "--interval"},
        ErrorCase{"IntervalNotANumber", {"--interval", "hunter22", "h"}, "--interval"},
        ErrorCase{"CyclesZero", {"--cycles", "0", "h"}, "--cycles"},
        ErrorCase{"CyclesNegative", {"--cycles=-2", "h"}, "--cycles"},
        ErrorCase{"TimeoutTooShort", {"--timeout", "9", "h"}, "--timeout: the value is outside 10..60000"},
        ErrorCase{"TimeoutTooLong", {"--timeout", "60001", "h"}, "--timeout"},
        ErrorCase{"TimeoutNotANumber", {"--timeout", "hunter22", "h"}, "--timeout"},
        ErrorCase{"RetriesTooMany", {"--retries", "11", "h"}, "--retries: the value is outside 0..10"},
        ErrorCase{"RetriesNegative", {"--retries=-1", "h"}, "--retries"},
        ErrorCase{"BadFormat", {"--format", "hunter22", "h"}, "--format"},
        ErrorCase{"EmptyStats", {"--stats", " ", "h"}, "--stats"},
        ErrorCase{"EnableNotANumber", {"--enable", "hunter22", "h"}, "--enable"},
        ErrorCase{"ShutdownZero", {"--shutdown", "0", "h"}, "--shutdown"},
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
