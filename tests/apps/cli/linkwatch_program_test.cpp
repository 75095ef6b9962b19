// The built linkwatch program end to end: run as a separate process against
// net-snmp's agent on loopback (started by each test), its output, exit codes and
// stderr texts checked as a script would check them.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
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
using support::SnmpdOptions;
using support::SnmpdUser;
using testing_program::ProgramResult;
using testing_program::RunProgram;

const std::string kProgram = LINKWATCH_CLI_PROGRAM;

// Settings of the test's process that would change what the program does.
const std::map<std::string, std::string> kCleanEnvironment = {
    {"LINKWATCH_AUTH_PASS", ""}, {"LINKWATCH_PRIV_PASS", ""}, {"LINKWATCH_STATISTICS_FILE", ""}};

std::set<int> MachineInterfaces() {
  std::set<int> indexes;
  if (struct if_nameindex* list = if_nameindex()) {
    for (struct if_nameindex* i = list; i->if_index != 0; ++i) {
      indexes.insert(static_cast<int>(i->if_index));
    }
    if_freenameindex(list);
  }
  return indexes;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::string Describe(const ProgramResult& result) {
  return "exit " + std::to_string(result.ExitCode) + (result.TimedOut ? " (timed out)" : "") +
         "\n--- stdout\n" + result.Out + "\n--- stderr\n" + result.Err;
}

// Whether python3's own JSON reader accepts text (one document per line), when
// python3 is there; the strict check of JsonCheck.h runs in any case.
bool PythonParsesJsonLines(const std::string& text, std::string& error) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("linkwatch-json-" + std::to_string(getpid()));
  std::ofstream(file) << text;
  const ProgramResult result = RunProgram(
      "/usr/bin/python3",
      {"-c", "import json,sys\nfor line in open(sys.argv[1], encoding='utf-8'): json.loads(line)",
       file.string()},
      {}, std::chrono::seconds(30));
  std::filesystem::remove(file);
  error = result.Err;
  return result.ExitCode == 0;
}

class LinkwatchProgramTest : public ::testing::Test {
 protected:
  void StartAgent(SnmpdOptions options = {}) {
    agent = std::make_unique<SnmpdAgent>(std::move(options));
    ASSERT_TRUE(agent->Start()) << agent->Error();
  }
  std::string Port() const { return std::to_string(agent->Port()); }

  ProgramResult Run(const std::vector<std::string>& args,
                    std::map<std::string, std::string> environment = {}) {
    for (const auto& [name, value] : kCleanEnvironment) environment.emplace(name, value);
    return RunProgram(kProgram, args, environment);
  }

  std::unique_ptr<SnmpdAgent> agent;
};

TEST_F(LinkwatchProgramTest, OneCycleAsTsvListsEveryInterfaceOfThisMachine) {
  StartAgent();
  const std::set<int> machineBefore = MachineInterfaces();
  const ProgramResult result =
      Run({"--port", Port(), "--cycles", "1", "--format", "tsv", "127.0.0.1"});
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  const std::vector<std::string> lines = Lines(result.Out);
  ASSERT_FALSE(lines.empty()) << Describe(result);
  EXPECT_EQ(lines[0], "KEY\tInterface\tStatus\tEnabled\tType\tSpeed\tIn (64-bit)\t"
                      "Out (64-bit)\tIn Errors\tOut Errors\tMAC Address\tSTALE")
      << "the everyday statistics under their headers";
  // However many interfaces the machine has, each one that was there all along is
  // listed (on a busy machine others may come and go meanwhile), each line once.
  std::set<std::string> keys;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_TRUE(keys.insert(lines[i].substr(0, lines[i].find('\t'))).second)
        << "printed twice: " << lines[i];
  }
  for (int index : MachineInterfaces()) {
    if (!machineBefore.count(index)) continue;
    const std::string key = "I:" + std::to_string(index) + "\t";
    bool found = false;
    for (const auto& line : lines) found = found || line.rfind(key, 0) == 0;
    EXPECT_TRUE(found) << "interface " << index << "\n" << result.Out;
  }
  bool loopback = false;
  for (const auto& line : lines) {
    if (line.rfind("I:1\tlo\t", 0) != 0) continue;
    loopback = true;
    EXPECT_NE(line.find("\t[x]\t"), std::string::npos) << "lo is administratively up: " << line;
    EXPECT_NE(line.find("softwareLoopback"), std::string::npos) << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 11) << line;
  }
  EXPECT_TRUE(loopback) << result.Out;
}

TEST_F(LinkwatchProgramTest, JsonParsesAndCarriesTheSystemFields) {
  StartAgent();
  const ProgramResult result = Run({"--port", Port(), "--cycles", "1", "--format", "json",
                                    "--stats", "Interface Name, In Traffic", "127.0.0.1"});
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  std::string error;
  EXPECT_TRUE(testing_json::IsValidJson(result.Out, error)) << error << "\n" << result.Out;
  EXPECT_TRUE(PythonParsesJsonLines(result.Out, error)) << error << "\n" << result.Out;
  for (const char* field : {"\"SysName\":\"", "\"SysDescr\":\"", "\"SystemOID\":\"1.3.6.1.4.1.8072.",
                            "\"SysUpTime\":", "\"LastBoot\":\"", "\"SysLocation\":",
                            "\"SysContact\":", "\"Vendor\":", "\"MachineType\":\"Linux\"",
                            "\"SNMPVersion\":2", "\"IP\":\"127.0.0.1\"",
                            "\"columns\":[\"Interface Name\",\"In Traffic\"]",
                            "{\"key\":\"I:1\",\"cells\":[\"lo\","}) {
    EXPECT_NE(result.Out.find(field), std::string::npos) << field << "\n" << result.Out;
  }
  // The count the agent reports, whatever the machine has: at least the loopback.
  const std::size_t count = result.Out.find("\"InterfaceCount\":");
  ASSERT_NE(count, std::string::npos) << result.Out;
  EXPECT_GE(std::atoi(result.Out.c_str() + count + 17), 1) << result.Out;
}

TEST_F(LinkwatchProgramTest, TheTableShowsTheDeviceAboveAlignedColumns) {
  StartAgent();
  const ProgramResult result = Run({"--port", Port(), "--cycles", "1", "127.0.0.1"});
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  const std::vector<std::string> lines = Lines(result.Out);
  ASSERT_GE(lines.size(), 5u) << result.Out;
  EXPECT_EQ(lines[0].rfind("Device: ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find("Type: Linux"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("SNMP: v2c"), std::string::npos) << lines[0];
  EXPECT_EQ(lines[2].rfind("ifIndex  Interface", 0), 0u) << lines[2];
  bool loopback = false;
  for (const auto& line : lines) loopback = loopback || line.rfind("1        lo ", 0) == 0;
  EXPECT_TRUE(loopback) << result.Out;
}

TEST_F(LinkwatchProgramTest, TwoCyclesComeFromTheControlsSecondPoll) {
  StartAgent();
  const ProgramResult result = Run({"--port", Port(), "--cycles", "2", "--format", "tsv", "--stats",
                                    "Interface Name,In Traffic", "127.0.0.1"});
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  std::vector<std::string> loopbackLines;
  int headers = 0;
  for (const auto& line : Lines(result.Out)) {
    if (line.rfind("KEY\t", 0) == 0) ++headers;
    if (line.rfind("I:1\t", 0) == 0) loopbackLines.push_back(line);
  }
  EXPECT_EQ(headers, 2) << result.Out;
  ASSERT_EQ(loopbackLines.size(), 2u) << result.Out;
  EXPECT_EQ(loopbackLines[0], "I:1\tlo\tbaselining ...\t") << "a counter needs two readings";
  EXPECT_NE(loopbackLines[1], loopbackLines[0]) << "the second cycle shows a rate";
  EXPECT_EQ(loopbackLines[1].find("baselining"), std::string::npos) << loopbackLines[1];
  EXPECT_EQ(result.Err.find("got no answer"), std::string::npos) << "both cycles complete";
}

// After the second poll, regular polls come from the control's timer with
// --interval (AutoUpdate) and from the monitor itself without it (every 30 s).
TEST_F(LinkwatchProgramTest, RegularPollsFollowWithAndWithoutAnInterval) {
  StartAgent();
  for (const std::vector<std::string>& timing :
       {std::vector<std::string>{"--interval", "5"}, std::vector<std::string>{}}) {
    std::vector<std::string> args = {"--port", Port(), "--cycles", "3", "--format", "tsv",
                                     "--stats", "Interface Name", "127.0.0.1"};
    args.insert(args.begin(), timing.begin(), timing.end());
    const ProgramResult result = Run(args);
    ASSERT_EQ(result.ExitCode, 0) << Describe(result);
    int headers = 0;
    for (const auto& line : Lines(result.Out)) headers += line == "KEY\tInterface\tSTALE" ? 1 : 0;
    EXPECT_EQ(headers, 3) << (timing.empty() ? "without" : "with") << " --interval\n"
                          << result.Out;
    EXPECT_EQ(result.Err.find("got no answer"), std::string::npos) << result.Err;
  }
}

TEST_F(LinkwatchProgramTest, AnInterruptEndsAnEndlessRunCleanly) {
  StartAgent();
  bool interrupted = false;
  const ProgramResult result = RunProgram(
      kProgram, {"--port", Port(), "--format", "tsv", "--stats", "Interface Name", "127.0.0.1"},
      kCleanEnvironment, std::chrono::seconds(60), [&](const std::string& out, pid_t pid) {
        if (!interrupted && out.find("I:1\tlo") != std::string::npos) {
          kill(pid, SIGINT);
          interrupted = true;
        }
      });
  EXPECT_TRUE(interrupted);
  EXPECT_FALSE(result.TimedOut) << Describe(result);
  EXPECT_EQ(result.Signal, 0) << "ended by its own exit, not by the signal";
  EXPECT_EQ(result.ExitCode, 0) << Describe(result);
  EXPECT_EQ(result.Out.rfind("KEY\tInterface\tSTALE\n", 0), 0u) << result.Out;
}

// A UDP port on loopback that takes requests and never answers them.
class SilentUdpPort {
 public:
  SilentUdpPort() : socket_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (socket_ >= 0 && bind(socket_, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
        getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
      port_ = ntohs(address.sin_port);
    }
  }
  ~SilentUdpPort() {
    if (socket_ >= 0) close(socket_);
  }
  SilentUdpPort(const SilentUdpPort&) = delete;
  SilentUdpPort& operator=(const SilentUdpPort&) = delete;

  int Port() const { return port_; }
  // Waits until a request arrives (and drops it); false at the deadline.
  bool WaitForRequest(std::chrono::milliseconds deadline) {
    pollfd watched{socket_, POLLIN, 0};
    if (poll(&watched, 1, static_cast<int>(deadline.count())) != 1) return false;
    char buffer[2048];
    return recv(socket_, buffer, sizeof buffer, 0) > 0;
  }

 private:
  int socket_;
  int port_ = 0;
};

TEST_F(LinkwatchProgramTest, BrokenAgentsEndTheCycleAndThePrintedGridIsValid) {
  // One agent answers every walk with the OID it was asked for; the other also
  // reports ifDescr.3000000000. Each run prints its cycle and exits 0 quickly,
  // and the broken one is asked only a few times, never flooded.
  std::vector<std::string> withHugeIndex = support::TableAgent::SmallDevice();
  withHugeIndex.push_back("1.3.6.1.2.1.2.2.1.2.3000000000|4|huge");
  const struct {
    support::TableAgentMode Mode;
    std::vector<std::string> Objects;
  } agents[] = {{support::TableAgentMode::RepeatOid, {}},
                {support::TableAgentMode::WellBehaved, withHugeIndex}};
  for (const auto& device : agents) {
    support::TableAgentOptions options;
    options.Mode = device.Mode;
    options.Objects = device.Objects;
    support::TableAgent broken(options);
    ASSERT_TRUE(broken.Start()) << broken.Error();
    const ProgramResult result = Run({"--port", std::to_string(broken.Port()), "--cycles", "1",
                                      "--format", "json", "127.0.0.1"});
    EXPECT_EQ(result.ExitCode, 0) << Describe(result);
    std::string error;
    EXPECT_TRUE(testing_json::IsValidJson(result.Out, error)) << error << "\n" << result.Out;
    EXPECT_NE(result.Out.find("{\"key\":\"I:1\",\"cells\":[\"eth0\""), std::string::npos)
        << result.Out;
    EXPECT_LT(broken.RequestCount(), 200);
  }
}

TEST_F(LinkwatchProgramTest, AnInterruptDuringTheStartEndsItPromptly) {
  // Each try of the start's first probe would wait 60 s, three tries in all: only
  // an interrupt that ends the wait lets the program exit within the deadline.
  for (const int signal : {SIGTERM, SIGINT}) {
    SilentUdpPort silent;
    ASSERT_NE(silent.Port(), 0);
    bool probed = false;
    const ProgramResult result = RunProgram(
        kProgram,
        {"--port", std::to_string(silent.Port()), "--timeout", "60000", "--retries", "2",
         "--cycles", "1", "127.0.0.1"},
        kCleanEnvironment, std::chrono::seconds(20), {}, [&](pid_t pid) {
          probed = silent.WaitForRequest(std::chrono::seconds(20));
          kill(pid, signal);
        });
    EXPECT_TRUE(probed) << "the program asked the port";
    EXPECT_FALSE(result.TimedOut) << Describe(result);
    EXPECT_EQ(result.Signal, 0) << "ended by its own exit, not by the signal";
    EXPECT_EQ(result.ExitCode, 0) << Describe(result);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "") << "an interrupted start is no failure to report";
  }
}

TEST_F(LinkwatchProgramTest, ADeviceThatFallsSilentEndsTheCycleInsteadOfHanging) {
  StartAgent();
  // The agent stops once the first cycle is printed: every walk of the second
  // poll times out, and no Status event ends that cycle.
  const ProgramResult result = RunProgram(
      kProgram,
      {"--port", Port(), "--cycles", "2", "--format", "tsv", "--stats", "Interface Name",
       "127.0.0.1"},
      kCleanEnvironment, std::chrono::seconds(60), [&](const std::string& out, pid_t) {
        if (agent->Running() && out.find("I:1\tlo") != std::string::npos) agent->Stop();
      });
  EXPECT_FALSE(agent->Running());
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  std::vector<std::string> loopbackLines;
  for (const auto& line : Lines(result.Out)) {
    if (line.rfind("I:1\t", 0) == 0) loopbackLines.push_back(line);
  }
  // The second grid keeps what the first poll read, marked as not fresh (column 1).
  EXPECT_EQ(loopbackLines, (std::vector<std::string>{"I:1\tlo\t", "I:1\tlo\t1"})) << result.Out;
  // stderr names the walk that failed and why.
  EXPECT_NE(result.Err.find("linkwatch: the walk of 'Interface Name': No answer from the SNMP "
                            "agent at 127.0.0.1 port " + Port()),
            std::string::npos)
      << result.Err;
}

TEST_F(LinkwatchProgramTest, ASilentPortExitsThreeWithTheControlsText) {
  const int port = SnmpdAgent::FreeUdpPort();
  const ProgramResult result =
      Run({"--port", std::to_string(port), "--cycles", "1", "--format", "tsv", "127.0.0.1"});
  EXPECT_EQ(result.ExitCode, 3) << Describe(result);
  EXPECT_NE(result.Err.find("127.0.0.1 does not respond to SNMP Queries using 'public'"),
            std::string::npos)
      << result.Err;
  EXPECT_EQ(result.Out, "");
}

TEST_F(LinkwatchProgramTest, UsageErrorsExitTwoAndNameTheOption) {
  struct Case {
    std::vector<std::string> Args;
    const char* Names;
  };
  const std::string missing = "/nonexistent/linkwatch-statistics.cfg";
  for (const Case& c : std::vector<Case>{
           {{"--frobnicate", "127.0.0.1"}, "unknown option (argument 1)"},
           {{"--port", "many", "127.0.0.1"}, "--port"},
           {{"--snmp-version", "5", "127.0.0.1"}, "--snmp-version"},
           {{"--format"}, "--format"},
           {{"--cycles", "1"}, "TARGET"},
           {{"--statistics-file", missing, "127.0.0.1"}, "--statistics-file"},
           {{"--stats", "In Traffic,No Such Thing", "--cycles", "1", "127.0.0.1"}, "--stats"},
           {{"--stats", "Selected", "--cycles", "1", "127.0.0.1"}, "--stats"}}) {
    const ProgramResult result = Run(c.Args);
    EXPECT_EQ(result.ExitCode, 2) << c.Names << "\n" << Describe(result);
    EXPECT_NE(result.Err.find(c.Names), std::string::npos) << Describe(result);
    EXPECT_EQ(result.Out, "") << c.Names;
  }
}

TEST_F(LinkwatchProgramTest, HelpAndVersion) {
  const ProgramResult help = Run({"--help"});
  EXPECT_EQ(help.ExitCode, 0);
  EXPECT_EQ(help.Out.rfind("Usage: linkwatch [OPTIONS] TARGET\n", 0), 0u) << help.Out;
  const ProgramResult version = Run({"--version"});
  EXPECT_EQ(version.ExitCode, 0);
  EXPECT_EQ(version.Out, "linkwatch 0.1.0\n");
}

TEST_F(LinkwatchProgramTest, DescribesTheTypeLibrary) {
  const ProgramResult result = Run({"--describe"});
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  EXPECT_EQ(result.Out.rfind("library OSTLNK9 (9 classes)\n", 0), 0u) << result.Out;
  for (const char* description :
       {"\"Linkwatch.InterfaceList\"", "\"Linkwatch.Child\"", "\"Linkwatch.Children\"",
        "\"Linkwatch.StatisticTemplates\""}) {
    EXPECT_NE(result.Out.find(description), std::string::npos) << description;
  }
  // Members in interface order: the first two of the control.
  EXPECT_LT(result.Out.find("get     Active As Boolean"), result.Out.find("get     Target As String"));
}

TEST_F(LinkwatchProgramTest, ListsTheShippedStatistics) {
  const ProgramResult result = Run({"--list-statistics", "--format", "tsv"});
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  std::ifstream shipped(std::string(LINKWATCH_SOURCE_DIR) + "/data/OSTLNK9.cfg");
  std::stringstream content;
  content << shipped.rdbuf();
  size_t defined = 0;
  for (size_t at = content.str().find("<Statistic "); at != std::string::npos;
       at = content.str().find("<Statistic ", at + 1)) {
    ++defined;
  }
  const std::vector<std::string> lines = Lines(result.Out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "NAME\tHEADER\tPARSER\tUNITS\tGROUP");
  EXPECT_EQ(lines.size(), defined + 1) << "every shipped statistic, one a line";
  EXPECT_NE(std::find(lines.begin(), lines.end(), "In Traffic\tIn\tTRAFFIC\tbps\tTraffic"),
            lines.end())
      << result.Out;
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Interface Name\tInterface\t\t\tGeneral"),
            lines.end())
      << result.Out;
}

TEST_F(LinkwatchProgramTest, AnotherStatisticsFileReplacesTheShippedOne) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                     ("linkwatch-cli-" + std::to_string(getpid()) + ".cfg");
  std::ofstream(file) << "<Portsight><Statistics>"
                         "<Statistic GROUP=\"Mine\" NAME=\"Octets In\" HEADER=\"Bytes\" "
                         "MIB=\"ifInOctets\" PARSER=\"NUMBER\" UNITS=\"B\"/>"
                         "</Statistics></Portsight>";
  const ProgramResult result =
      Run({"--list-statistics", "--format", "json", "--statistics-file", file.string()});
  std::filesystem::remove(file);
  ASSERT_EQ(result.ExitCode, 0) << Describe(result);
  EXPECT_EQ(result.Out,
            "[\n{\"name\":\"Octets In\",\"header\":\"Bytes\",\"parser\":\"NUMBER\",\"units\":"
            "\"B\",\"group\":\"Mine\"}\n]\n");
}

TEST_F(LinkwatchProgramTest, PasswordsNeverAppearInTheOutput) {
  const std::string authPass = "auth-Secret-4711";
  const std::string privPass = "priv-Secret-0815";
  SnmpdOptions options;
  options.Users = {SnmpdUser{"watcher", "SHA", authPass, "AES", privPass}};
  StartAgent(options);

  const ProgramResult good =
      Run({"--port", Port(), "--cycles", "1", "--format", "json", "--user", "watcher",
           "--auth-type", "sha", "--auth-pass", authPass, "--priv-type", "aes", "127.0.0.1"},
          {{"LINKWATCH_PRIV_PASS", privPass}});
  ASSERT_EQ(good.ExitCode, 0) << Describe(good);
  EXPECT_NE(good.Out.find("\"SNMPVersion\":3"), std::string::npos) << good.Out;

  const ProgramResult refused =
      Run({"--port", Port(), "--cycles", "1", "--user", "watcher", "--auth-type", "sha",
           "--priv-type", "aes", "--priv-pass", privPass, "127.0.0.1"},
          {{"LINKWATCH_AUTH_PASS", authPass + "-wrong"}});
  EXPECT_EQ(refused.ExitCode, 3) << Describe(refused);
  EXPECT_NE(refused.Err.find("does not respond"), std::string::npos) << refused.Err;

  const ProgramResult usage = Run({"--user", "watcher", "--auth-type", "sha", "--auth-pass",
                                   authPass, "--priv-type", "aes", "127.0.0.1"});
  EXPECT_EQ(usage.ExitCode, 2) << Describe(usage);

  for (const ProgramResult* result : {&good, &refused, &usage}) {
    for (const std::string& secret : {authPass, privPass}) {
      EXPECT_EQ(result->Out.find(secret), std::string::npos) << Describe(*result);
      EXPECT_EQ(result->Err.find(secret), std::string::npos) << Describe(*result);
    }
  }
}

TEST_F(LinkwatchProgramTest, ARefusedShutdownExitsFourWithTheControlsText) {
  SnmpdOptions options;
  options.WriteCommunity = "";  // public reads only
  StartAgent(options);
  const ProgramResult refused = Run({"--port", Port(), "--cycles", "1", "--format", "tsv",
                                     "--shutdown", "1", "127.0.0.1"});
  EXPECT_EQ(refused.ExitCode, 4) << Describe(refused);
  EXPECT_NE(refused.Err.find("Cannot shutdown interface."), std::string::npos) << refused.Err;
  EXPECT_NE(refused.Err.find("Are you using a Read-Write SNMP Community string ?"),
            std::string::npos)
      << refused.Err;
  EXPECT_EQ(refused.Out, "") << "nothing is printed before the actions are done";

  const ProgramResult unknown = Run({"--port", Port(), "--cycles", "1", "--format", "tsv",
                                     "--enable", "999999", "127.0.0.1"});
  EXPECT_EQ(unknown.ExitCode, 4) << Describe(unknown);
  EXPECT_NE(unknown.Err.find("--enable"), std::string::npos) << unknown.Err;
  EXPECT_NE(unknown.Err.find("999999"), std::string::npos) << unknown.Err;
}

}  // namespace
}  // namespace linkwatch::cli
