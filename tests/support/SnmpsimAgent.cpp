#include "support/SnmpsimAgent.h"

#include <grp.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>


namespace linkwatch::support {

namespace {

namespace fs = std::filesystem;

constexpr const char* kRecordingSuffix = ".snmprec";

// snmpsimd refuses to run as root; it becomes this user and group instead.
constexpr const char* kAgentUser = "nobody";
constexpr const char* kAgentGroups[] = {"nogroup", "nobody"};

// The launcher: a shell that runs snmpsimd and waits for it. snmpsimd drops its
// privileges, which clears the parent-death signal it would inherit; the shell keeps
// it, so a test that dies takes the shell and, through this trap, the agent with it.
constexpr const char* kLauncherScript =
    "trap 'kill -TERM $agent 2>/dev/null' TERM HUP INT\n"
    "\"$@\" & agent=$!\n"
    "wait $agent\n"
    "wait $agent\n";

}  // namespace

SnmpsimAgent::SnmpsimAgent(SnmpsimOptions options)
    : AgentProcess({.Name = "snmpsimd",
                    .OutputFile = "snmpsimd.log",
                    .LogFiles = {"snmpsimd.log"},
                    .PortTakenText = "Address already in use",
                    // The launcher leads the group and exits only once the agent is gone.
                    .OwnProcessGroup = true}),
      options_(std::move(options)) {}

std::string SnmpsimAgent::RecordingsDirectory() const {
  // From the build, not __FILE__: compiler caches may make __FILE__ relative.
  return options_.RecordingsDirectory.empty()
             ? (fs::path(LINKWATCH_TESTS_DATA_DIR) / "snmpsim").string()
             : options_.RecordingsDirectory;
}

bool SnmpsimAgent::Prepare(Launch& launch) {
  if (!PrepareDirectory()) return false;
  const std::string snmpsimd =
      FindProgram("snmpsimd", {}, {"/usr/bin", "/usr/local/bin"});
  if (snmpsimd.empty()) {
    error_ = "snmpsimd not found (install the snmpsim package)";
    return false;
  }
  // snmpsim looks up its own folders under $HOME; give it one when there is none.
  if (!std::getenv("HOME")) launch.Settings.push_back("HOME=" + Directory());
  launch.MakeCommand = [this, snmpsimd](int port) { return Command(snmpsimd, port); };
  launch.Probe = SysDescrProbe(served_.front());
  launch.Deadline = std::chrono::seconds(30);
  return true;
}

bool SnmpsimAgent::PrepareDirectory() {
  const fs::path source(RecordingsDirectory());
  std::error_code failure;
  std::vector<std::string> names = options_.Recordings;
  if (names.empty()) {
    for (const auto& entry : fs::directory_iterator(source, failure)) {
      const fs::path& path = entry.path();
      if (entry.is_regular_file() && path.extension() == kRecordingSuffix) {
        names.push_back(path.stem().string());
      }
    }
    std::sort(names.begin(), names.end());
  }
  if (names.empty()) {
    error_ = "no recordings (*.snmprec) in " + source.string();
    return false;
  }

  const fs::path dir(Directory());
  const fs::path data = dir / "data";
  const fs::path cache = dir / "cache";
  fs::create_directories(data, failure);
  fs::create_directories(cache, failure);
  // The agent's user reads the recordings; the cache (its index files) is its own.
  const auto readable = fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec;
  fs::permissions(dir, readable, failure);
  fs::permissions(data, readable, failure);
  for (const std::string& name : names) {
    const fs::path from = source / (name + kRecordingSuffix);
    const fs::path to = data / (name + kRecordingSuffix);
    if (!fs::copy_file(from, to, fs::copy_options::overwrite_existing, failure)) {
      error_ = "cannot copy recording " + from.string() + ": " + failure.message();
      return false;
    }
    fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write |
                            fs::perms::group_read | fs::perms::others_read, failure);
  }
  if (::geteuid() == 0) {
    const passwd* user = ::getpwnam(kAgentUser);
    if (!user || ::chown(cache.c_str(), user->pw_uid, user->pw_gid) != 0) {
      error_ = std::string("cannot give the cache directory to user ") + kAgentUser;
      return false;
    }
  }
  served_ = names;
  return true;
}

std::vector<std::string> SnmpsimAgent::Command(const std::string& snmpsimd, int port) const {
  const fs::path dir(Directory());
  std::vector<std::string> args = {"/bin/sh", "-c", kLauncherScript, "snmpsim-launcher",
                                   snmpsimd,
                                   "--data-dir=" + (dir / "data").string(),
                                   "--cache-dir=" + (dir / "cache").string(),
                                   "--agent-udpv4-endpoint=127.0.0.1:" + std::to_string(port)};
  if (::geteuid() == 0) {
    args.push_back(std::string("--process-user=") + kAgentUser);
    for (const char* group : kAgentGroups) {
      if (::getgrnam(group)) {
        args.push_back(std::string("--process-group=") + group);
        break;
      }
    }
  }
  for (const SnmpsimUser& user : options_.Users) {
    args.push_back("--v3-user=" + user.Name);
    if (!user.AuthProtocol.empty()) {
      args.push_back("--v3-auth-key=" + user.AuthKey);
      args.push_back("--v3-auth-proto=" + user.AuthProtocol);
    }
    if (!user.PrivProtocol.empty()) {
      args.push_back("--v3-priv-key=" + user.PrivKey);
      args.push_back("--v3-priv-proto=" + user.PrivProtocol);
    }
  }
  return args;
}

std::vector<SimulatedInterfaceRate> SnmpsimAgent::InterfaceRates(
    const std::string& recording) const {
  // Data lines hold ifIndex, in and out octets a second; comment lines start with #.
  std::vector<SimulatedInterfaceRate> rates;
  std::ifstream file(fs::path(RecordingsDirectory()) / (recording + ".rates.tsv"));
  for (std::string line; std::getline(file, line);) {
    SimulatedInterfaceRate rate;
    std::istringstream fields(line);
    if (fields >> rate.IfIndex >> rate.InOctetsPerSecond >> rate.OutOctetsPerSecond) {
      rates.push_back(rate);
    }
  }
  return rates;
}

}  // namespace linkwatch::support
