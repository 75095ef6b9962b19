#include "support/SnmpsimAgent.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/SnmpdAgent.h"

extern char** environ;

namespace linkwatch::support {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kRecordingSuffix = ".snmprec";
constexpr const char* kLogName = "snmpsimd.log";

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

std::string FindProgram(const std::string& name) {
  if (const char* path = std::getenv("PATH")) {
    std::stringstream dirs(path);
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
      const std::string candidate = dir + "/" + name;
      if (!dir.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
  }
  for (const char* dir : {"/usr/bin", "/usr/local/bin"}) {
    const std::string candidate = std::string(dir) + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

// BER type, length and contents.
std::string Tlv(unsigned char type, const std::string& content) {
  std::string out(1, static_cast<char>(type));
  const size_t size = content.size();
  if (size < 0x80) {
    out += static_cast<char>(size);
  } else if (size <= 0xFF) {
    out += '\x81';
    out += static_cast<char>(size);
  } else {
    out += '\x82';
    out += static_cast<char>(size >> 8);
    out += static_cast<char>(size & 0xFF);
  }
  return out + content;
}

// An SNMPv2c get of sysDescr.0. snmpsimd answers only communities it has a
// recording for, so any answer means the recordings are loaded.
std::string SysDescrProbe(const std::string& community) {
  static const std::string kSysDescr("\x2B\x06\x01\x02\x01\x01\x01\x00", 8);
  const std::string integerZero("\x02\x01\x00", 3);
  const std::string binding = Tlv(0x30, Tlv(0x06, kSysDescr) + std::string("\x05\x00", 2));
  const std::string pdu = Tlv(0xA0, std::string("\x02\x02\x4C\x57", 4) + integerZero +
                                        integerZero + Tlv(0x30, binding));
  return Tlv(0x30, std::string("\x02\x01\x01", 3) + Tlv(0x04, community) + pdu);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

// The data lines of a generator's table, split at tabs; comment lines skipped.
std::vector<std::vector<std::string>> ReadTable(const fs::path& path) {
  std::vector<std::vector<std::string>> rows;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream cells(line);
    std::string cell;
    while (std::getline(cells, cell, '\t')) fields.push_back(cell);
    rows.push_back(std::move(fields));
  }
  return rows;
}

}  // namespace

SnmpsimAgent::SnmpsimAgent(SnmpsimOptions options) : options_(std::move(options)) {}

SnmpsimAgent::~SnmpsimAgent() {
  Stop();
  if (!directory_.empty()) {
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }
}

std::string SnmpsimAgent::DefaultRecordingsDirectory() {
  // This file lives in tests/support; the recordings in tests/data/snmpsim.
  return (fs::path(__FILE__).parent_path().parent_path() / "data" / "snmpsim").string();
}

std::string SnmpsimAgent::RecordingsDirectory() const {
  return options_.RecordingsDirectory.empty() ? DefaultRecordingsDirectory()
                                              : options_.RecordingsDirectory;
}

bool SnmpsimAgent::Start() {
  if (Running()) return true;
  error_.clear();
  if (!PrepareDirectory()) return false;

  // The free port may be taken by someone else before snmpsimd binds it: try again.
  for (int attempt = 0; attempt < 5; ++attempt) {
    port_ = SnmpdAgent::FreeUdpPort();
    if (port_ == 0) {
      error_ = "no free UDP port on 127.0.0.1";
      return false;
    }
    if (!Launch()) return false;
    if (WaitUntilAnswering()) return true;
    const bool portTaken = Log().find("Address already in use") != std::string::npos;
    Stop();
    if (!portTaken) break;
  }
  error_ += "\nsnmpsimd log:\n" + Log();
  return false;
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

  if (directory_.empty()) {
    std::string pattern = (fs::temp_directory_path() / "linkwatch-snmpsim-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      error_ = "cannot make a temporary directory: " + std::string(std::strerror(errno));
      return false;
    }
    directory_ = pattern;
  }
  const fs::path dir(directory_);
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

bool SnmpsimAgent::Launch() {
  const std::string snmpsimd = FindProgram("snmpsimd");
  if (snmpsimd.empty()) {
    error_ = "snmpsimd not found (install the snmpsim package)";
    return false;
  }
  const fs::path dir(directory_);
  std::vector<std::string> args = {"/bin/sh", "-c", kLauncherScript, "snmpsim-launcher",
                                   snmpsimd,
                                   "--data-dir=" + (dir / "data").string(),
                                   "--cache-dir=" + (dir / "cache").string(),
                                   "--agent-udpv4-endpoint=127.0.0.1:" + std::to_string(port_)};
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
  // snmpsim looks up its own folders under $HOME; give it one when there is none.
  std::vector<std::string> env;
  bool hasHome = false;
  for (char** entry = environ; entry && *entry; ++entry) {
    env.emplace_back(*entry);
    hasHome = hasHome || StartsWith(env.back(), "HOME=");
  }
  if (!hasHome) env.push_back("HOME=" + directory_);
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  const std::string log = (dir / kLogName).string();
  const pid_t parent = ::getpid();

  const pid_t child = ::fork();
  if (child < 0) {
    error_ = "fork failed: " + std::string(std::strerror(errno));
    return false;
  }
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    ::setpgid(0, 0);  // a group of its own, so Stop() reaches every process in it
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive a crashed test
    if (::getppid() != parent) ::_exit(127);
    const int null = ::open("/dev/null", O_RDONLY);
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (null >= 0) ::dup2(null, STDIN_FILENO);
    if (out >= 0) {
      ::dup2(out, STDOUT_FILENO);
      ::dup2(out, STDERR_FILENO);
    }
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  ::setpgid(child, child);  // also here, so the group exists whichever runs first
  pid_ = child;
  return true;
}

bool SnmpsimAgent::WaitUntilAnswering() {
  const int sock = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (sock < 0) {
    error_ = "cannot open a UDP socket";
    return false;
  }
  sockaddr_in agent{};
  agent.sin_family = AF_INET;
  agent.sin_port = htons(static_cast<uint16_t>(port_));
  agent.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const std::string probe = SysDescrProbe(served_.front());

  const auto deadline = Clock::now() + options_.StartDeadline;
  bool answered = false;
  while (!answered && Clock::now() < deadline) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      error_ = "snmpsimd exited during start-up";
      break;
    }
    ::sendto(sock, probe.data(), probe.size(), 0, reinterpret_cast<const sockaddr*>(&agent),
             sizeof agent);
    // Wait for the answer to this probe; an agent still loading gets another.
    pollfd ready{sock, POLLIN, 0};
    if (::poll(&ready, 1, 100) == 1 && (ready.revents & POLLIN)) {
      unsigned char reply[2048];
      answered = ::recv(sock, reply, sizeof reply, 0) > 0;
    }
  }
  ::close(sock);
  if (!answered && error_.empty()) error_ = "snmpsimd did not answer before the deadline";
  return answered;
}

bool SnmpsimAgent::WaitForExit(std::chrono::milliseconds deadline) {
  const auto end = Clock::now() + deadline;
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
  bool exited = false;
  while (!exited) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      exited = true;
      break;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    if (left.count() <= 0) break;
    if (pidfd >= 0) {
      pollfd done{pidfd, POLLIN, 0};
      ::poll(&done, 1, static_cast<int>(left.count()));
    } else {
      ::poll(nullptr, 0, static_cast<int>(std::min<long long>(left.count(), 20)));
    }
  }
  if (pidfd >= 0) ::close(pidfd);
  return exited;
}

void SnmpsimAgent::Stop() {
  if (pid_ <= 0) return;
  // The launcher leads the group and exits only once the agent is gone.
  ::kill(-pid_, SIGTERM);
  if (!WaitForExit(std::chrono::seconds(5))) {
    ::kill(-pid_, SIGKILL);
    WaitForExit(std::chrono::seconds(5));
  }
  pid_ = -1;
}

std::string SnmpsimAgent::Log() const {
  std::ifstream file(fs::path(directory_) / kLogName);
  std::stringstream content;
  content << file.rdbuf();
  return content.str();
}

std::vector<SimulatedInterfaceRate> SnmpsimAgent::InterfaceRates(
    const std::string& recording) const {
  std::vector<SimulatedInterfaceRate> rates;
  for (const auto& fields :
       ReadTable(fs::path(RecordingsDirectory()) / (recording + ".rates.tsv"))) {
    if (fields.size() < 3) continue;
    rates.push_back({std::atoi(fields[0].c_str()), std::strtod(fields[1].c_str(), nullptr),
                     std::strtod(fields[2].c_str(), nullptr)});
  }
  return rates;
}

std::vector<SimulatedCounter> SnmpsimAgent::Counters(const std::string& recording) const {
  std::vector<SimulatedCounter> counters;
  for (const auto& fields :
       ReadTable(fs::path(RecordingsDirectory()) / (recording + ".counters.tsv"))) {
    if (fields.size() < 5) continue;
    counters.push_back({fields[0], fields[1], fields[2], std::strtod(fields[3].c_str(), nullptr),
                        std::strtoull(fields[4].c_str(), nullptr, 10)});
  }
  return counters;
}

}  // namespace linkwatch::support
