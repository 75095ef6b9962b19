// The built linkwatch program end to end: run as a separate process against
// net-snmp's agent on loopback, its output, exit codes and stderr texts checked
// as a script would check them.
#include <gtest/gtest.h>

#include <signal.h>

#include <QUdpSocket>

#include <sstream>
#include <string>
#include <vector>

#include "JsonCheck.h"
#include "ProgramRun.h"
#include "support/SnmpdAgent.h"
#include "support/TableAgent.h"

namespace linkwatch::cli {
namespace {

using support::SnmpdAgent;
using testing_program::ProgramResult;
using Args = std::vector<std::string>;
using Environment = std::map<std::string, std::string>;

const std::string kAuthPass = "auth-Secret-4711";
const std::string kPrivPass = "priv-Secret-0815";

// One agent for the whole program, started on first use: 'public' reads only (a
// shutdown is refused, so this machine's interfaces are never touched), and the
// SNMPv3 user watcher.
SnmpdAgent& SharedAgent() {
  static SnmpdAgent agent([] {
    support::SnmpdOptions options;
    options.WriteCommunity.clear();
    options.Users = {support::SnmpdUser{"watcher", "SHA", kAuthPass, "AES", kPrivPass}};
    return options;
  }());
  static const bool started = agent.Start();
  EXPECT_TRUE(started) << agent.Error();
  return agent;
}

// Runs the program without the settings of this process that would change what it
// does. In args, "{agent}" stands for the shared agent's port.
ProgramResult RunLinkwatch(Args args, Environment environment = {},
                  std::chrono::milliseconds deadline = std::chrono::seconds(60),
                  const testing_program::OutputWatcher& onOutput = {},
                  const std::function<void(pid_t)>& onStarted = {}) {
  for (std::string& arg : args) {
    if (arg == "{agent}") arg = std::to_string(SharedAgent().Port());
  }
  for (const char* name : {"LINKWATCH_AUTH_PASS", "LINKWATCH_PRIV_PASS", "LINKWATCH_STATISTICS_FILE"}) {
    environment.emplace(name, "");
  }
  return testing_program::RunProgram(LINKWATCH_CLI_PROGRAM, args, environment, deadline,
                                     onOutput, onStarted);
}

// The lines that start with prefix.
std::vector<std::string> LinesOf(const std::string& text, const std::string& prefix) {
  std::vector<std::string> found;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (line.rfind(prefix, 0) == 0) found.push_back(line);
  }
  return found;
}

std::string Describe(const ProgramResult& result) {
  return "exit " + std::to_string(result.ExitCode) + (result.TimedOut ? " (timed out)" : "") +
         "\n--- stdout\n" + result.Out + "\n--- stderr\n" + result.Err;
}

struct RunCase {
  const char* Name;
  Args Arguments;
  int ExitCode;
  // stdout begins with the first part and shows the others after it in this order;
  // no parts: stdout is empty. Whole: stdout is exactly the parts.
  std::vector<std::string> Out = {};
  std::vector<std::string> Err = {};  // parts stderr shows, in this order
  Environment Settings = {};
  std::vector<std::string> Never = {};  // shown on neither stream (nor are the passwords)
  bool Whole = false;
};

void PrintTo(const RunCase& c, std::ostream* os) { *os << c.Name; }

// Each part is in text after the one before it (the first at the start when anchored).
void ExpectInOrder(const std::string& text, const std::vector<std::string>& parts, bool anchored) {
  size_t at = 0;
  for (const std::string& part : parts) {
    const size_t found = text.find(part, at);
    EXPECT_NE(found, std::string::npos) << "missing, or out of order: " << part << "\n" << text;
    if (anchored && &part == &parts.front()) {
      EXPECT_EQ(found, 0u) << "first: " << part;
    }
    if (found != std::string::npos) at = found + part.size();
  }
}

class LinkwatchRuns : public ::testing::TestWithParam<RunCase> {};

TEST_P(LinkwatchRuns, ExitCodeAndOutput) {
  const RunCase& c = GetParam();
  const ProgramResult result = RunLinkwatch(c.Arguments, c.Settings);
  ASSERT_EQ(result.ExitCode, c.ExitCode) << Describe(result);
  if (c.Out.empty()) {
    EXPECT_EQ(result.Out, "") << "a failed run prints no table";
  }
  ExpectInOrder(result.Out, c.Out, true);
  if (c.Whole) {
    std::string whole;
    for (const std::string& part : c.Out) whole += part;
    EXPECT_EQ(result.Out, whole);
  }
  ExpectInOrder(result.Err, c.Err, false);
  std::vector<std::string> never = c.Never;
  never.insert(never.end(), {kAuthPass, kPrivPass});
  for (const std::string& text : never) {
    EXPECT_EQ(result.Out.find(text), std::string::npos) << text << "\n" << result.Out;
    EXPECT_EQ(result.Err.find(text), std::string::npos) << text << "\n" << result.Err;
  }
  if (result.Out.rfind('{', 0) == 0 || result.Out.rfind('[', 0) == 0) {
    std::string error;
    EXPECT_TRUE(testing_json::IsValidJson(result.Out, error)) << error << "\n" << result.Out;
  }
}

const Args kV3 = {"--port", "{agent}", "--cycles", "1", "--user", "watcher", "--auth-type", "sha",
                  "--priv-type", "aes"};

Args With(Args base, const Args& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LinkwatchRuns,
    ::testing::Values(
        RunCase{"TableShowsTheDeviceAboveAlignedColumns",
                {"--port", "{agent}", "--cycles", "1", "127.0.0.1"}, 0,
                {"Device: ", "Type: Linux", "SNMP: v2c\n\nifIndex  Interface", "\n1        lo "}},
        RunCase{"JsonCarriesTheSystemFields",
                {"--port", "{agent}", "--cycles", "1", "--format", "json", "--stats",
                 "Interface Name, In Traffic", "127.0.0.1"}, 0,
                {"{\"system\":{\"SysName\":\"", "\"MachineType\":\"Linux\"", "\"SNMPVersion\":2",
                 "\"IP\":\"127.0.0.1\"", "\"columns\":[\"Interface Name\",\"In Traffic\"]",
                 "{\"key\":\"I:1\",\"cells\":[\"lo\","},
                {}, {}, {"\"InterfaceCount\":0", "\"InterfaceCount\":-"}},
        RunCase{"DescribesTheTypeLibrary", {"--describe"}, 0, {"library OSTLNK9 (9 classes)\n"}},
        // Usage errors exit 2 (the parser's own messages are checked in option_parser_test).
        RunCase{"MissingStatisticsFile",
                {"--statistics-file", "/nonexistent/linkwatch-statistics.cfg", "127.0.0.1"}, 2, {},
                {"--statistics-file"}},
        RunCase{"UnknownStatistic", {"--stats", "In Traffic,No Such Thing", "--cycles", "1", "127.0.0.1"},
                2, {}, {"--stats"}},
        RunCase{"Version3PrivacyPasswordFromTheEnvironment",
                With(kV3, {"--format", "json", "--auth-pass", kAuthPass, "127.0.0.1"}), 0,
                {"{", "\"SNMPVersion\":3"}, {}, {{"LINKWATCH_PRIV_PASS", kPrivPass}}},
        RunCase{"Version3WrongPasswordExitsThreeWithTheControlsText",
                With(kV3, {"--priv-pass", kPrivPass, "127.0.0.1"}), 3, {},
                {"127.0.0.1 does not respond to SNMP Queries"},
                {{"LINKWATCH_AUTH_PASS", kAuthPass + "-wrong"}}},
        RunCase{"ARefusedShutdownExitsFourWithTheControlsText",
                {"--port", "{agent}", "--cycles", "1", "--format", "tsv", "--shutdown", "1", "127.0.0.1"},
                4, {}, {"Cannot shutdown interface.", "Are you using a Read-Write SNMP Community string ?"}},
        RunCase{"EnablingAnUnknownInterfaceExitsFour",
                {"--port", "{agent}", "--cycles", "1", "--format", "tsv", "--enable", "999999", "127.0.0.1"},
                4, {}, {"--enable", "999999"}}),
    [](const auto& info) { return std::string(info.param.Name); });

// The first cycle comes from the start, the second from the control's second poll
// (a counter needs two readings: then rates show), the third from the control's
// timer with --interval (AutoUpdate); --cycles ends the run.
TEST(LinkwatchProgram, ThreeCyclesBaselineThenRates) {
  const ProgramResult result =
      RunLinkwatch({"--interval", "5", "--cycles", "3", "--port", "{agent}", "--format", "tsv",
                    "--stats", "Interface Name,In Traffic", "127.0.0.1"});
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  EXPECT_EQ(LinesOf(result.Out, "KEY\tInterface\tIn\tSTALE").size(), 3u) << result.Out;
  const std::vector<std::string> loopback = LinesOf(result.Out, "I:1\t");
  ASSERT_EQ(loopback.size(), 3u) << result.Out;
  EXPECT_EQ(loopback[0], "I:1\tlo\tbaselining ...\t") << "a counter needs two readings";
  for (size_t i : {1, 2}) EXPECT_EQ(loopback[i].find("baselining"), std::string::npos) << loopback[i];
  EXPECT_EQ(result.Err.find("got no answer"), std::string::npos) << "every cycle completes";
}

TEST(LinkwatchProgram, AnInterruptDuringTheStartEndsItPromptly) {
  // Each try of the start's first probe would wait 60 s, three tries in all: only
  // an interrupt that ends the wait lets the program exit within the deadline.
  QUdpSocket silent;  // takes requests and never answers them
  ASSERT_TRUE(silent.bind(QHostAddress::LocalHost, 0));
  bool probed = false;
  const ProgramResult result = RunLinkwatch(
      {"--port", std::to_string(silent.localPort()), "--timeout", "60000", "--retries", "2",
       "--cycles", "1", "127.0.0.1"},
      {}, std::chrono::seconds(20), {}, [&](pid_t pid) {
        probed = silent.waitForReadyRead(20000);
        kill(pid, SIGTERM);
      });
  EXPECT_TRUE(probed) << "the program asked the port";
  EXPECT_FALSE(result.Crashed) << "ended by its own exit, not by the signal";
  EXPECT_EQ(result.ExitCode, 0) << Describe(result);
  EXPECT_EQ(result.Out + result.Err, "") << "an interrupted start is no failure to report";
}

TEST(LinkwatchProgram, ADeviceThatFallsSilentEndsTheCycleInsteadOfHanging) {
  // An agent of its own, stopped once the first cycle is printed: every walk of
  // the second poll times out, and no Status event ends that cycle.
  SnmpdAgent agent;
  ASSERT_TRUE(agent.Start()) << agent.Error();
  const std::string port = std::to_string(agent.Port());
  const ProgramResult result =
      RunLinkwatch({"--port", port, "--timeout", "300", "--retries", "1", "--cycles", "2", "--format", "tsv",
                    "--stats", "Interface Name", "127.0.0.1"},
          {}, std::chrono::seconds(60), [&](const std::string& out, pid_t) {
            if (agent.Running() && out.find("I:1\tlo") != std::string::npos) agent.Stop();
          });
  EXPECT_FALSE(agent.Running());
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  // The second grid keeps what the first poll read, marked as not fresh (column 1).
  EXPECT_EQ(LinesOf(result.Out, "I:1\t"), (std::vector<std::string>{"I:1\tlo\t", "I:1\tlo\t1"}));
  EXPECT_NE(result.Err.find("linkwatch: the walk of 'Interface Name': No answer from the SNMP "
                            "agent at 127.0.0.1 port " + port),
            std::string::npos)
      << "names the walk that failed and why: " << result.Err;
}

TEST(LinkwatchProgram, ABrokenAgentEndsTheCycleAndThePrintedGridIsValid) {
  // The agent answers every walk with the OID it was asked for (the control's
  // tests hold the other broken answers): the run prints its cycle and exits 0,
  // and the agent is asked only a few times, never flooded.
  support::TableAgent broken({support::TableAgentMode::RepeatOid, {}});
  ASSERT_TRUE(broken.Start()) << broken.Error();
  const ProgramResult result = RunLinkwatch(
      {"--port", std::to_string(broken.Port()), "--cycles", "1", "--format", "json", "127.0.0.1"});
  EXPECT_EQ(result.ExitCode, 0) << Describe(result);
  std::string error;
  EXPECT_TRUE(testing_json::IsValidJson(result.Out, error)) << error << "\n" << result.Out;
  EXPECT_NE(result.Out.find("{\"key\":\"I:1\",\"cells\":[\"eth0\""), std::string::npos)
      << result.Out;
  EXPECT_LT(broken.RequestCount(), 200);
}

}  // namespace
}  // namespace linkwatch::cli
