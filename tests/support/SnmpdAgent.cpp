#include "support/SnmpdAgent.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace linkwatch::support {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// An SNMPv3 engine-discovery request (empty user, no authentication, reportable).
// Every snmpd answers it with a report, whatever communities and users it has.
constexpr std::array<unsigned char, 60> kDiscoveryProbe = {
    0x30, 0x3A,                                      // message
    0x02, 0x01, 0x03,                                // msgVersion 3
    0x30, 0x0F,                                      // msgGlobalData
    0x02, 0x02, 0x12, 0x34,                          //   msgID
    0x02, 0x03, 0x00, 0xFF, 0xE3,                    //   msgMaxSize 65507
    0x04, 0x01, 0x04,                                //   msgFlags: reportable
    0x02, 0x01, 0x03,                                //   msgSecurityModel: USM
    0x04, 0x10, 0x30, 0x0E,                          // msgSecurityParameters
    0x04, 0x00, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00,  //   engine ID, boots, time
    0x04, 0x00, 0x04, 0x00, 0x04, 0x00,              //   user, auth, priv
    0x30, 0x12,                                      // scopedPDU
    0x04, 0x00, 0x04, 0x00,                          //   context engine ID, name
    0xA0, 0x0C,                                      //   get-request
    0x02, 0x02, 0x56, 0x78,                          //     request-id
    0x02, 0x01, 0x00, 0x02, 0x01, 0x00,              //     error-status, index
    0x30, 0x00};                                     //     no bindings

std::string FindSnmpd() {
  for (const char* candidate : {"/usr/sbin/snmpd", "/usr/local/sbin/snmpd", "/sbin/snmpd"}) {
    if (::access(candidate, X_OK) == 0) return candidate;
  }
  if (const char* path = std::getenv("PATH")) {
    std::stringstream dirs(path);
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
      const std::string candidate = dir + "/snmpd";
      if (!dir.empty() && ::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
  }
  return {};
}

std::string AccessLevel(const SnmpdUser& user) {
  if (!user.PrivProtocol.empty()) return "priv";
  if (!user.AuthProtocol.empty()) return "auth";
  return "noauth";
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

SnmpdAgent::SnmpdAgent(SnmpdOptions options) : options_(std::move(options)) {}

SnmpdAgent::~SnmpdAgent() {
  Stop();
  if (!directory_.empty()) {
    std::error_code ignored;
    fs::remove_all(directory_, ignored);
  }
}

int SnmpdAgent::FreeUdpPort() {
  const int sock = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (sock < 0) return 0;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int port = 0;
  if (::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(sock, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(sock);
  return port;
}

bool SnmpdAgent::Start() {
  if (Running()) return true;
  error_.clear();
  if (directory_.empty()) {
    std::string pattern = (fs::temp_directory_path() / "linkwatch-snmpd-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) {
      error_ = "cannot make a temporary directory: " + std::string(std::strerror(errno));
      return false;
    }
    directory_ = pattern;
    fs::create_directories(fs::path(directory_) / "persist");
  }
  if (!WriteConfig()) return false;

  // The free port may be taken by someone else before snmpd binds it: try again.
  for (int attempt = 0; attempt < 5; ++attempt) {
    port_ = FreeUdpPort();
    if (port_ == 0) {
      error_ = "no free UDP port on 127.0.0.1";
      return false;
    }
    if (!Launch()) return false;
    if (WaitUntilAnswering()) return true;
    const bool portTaken = Log().find("Error opening specified endpoint") != std::string::npos;
    Stop();
    if (!portTaken) break;
  }
  error_ += "\nsnmpd log:\n" + Log();
  return false;
}

bool SnmpdAgent::WriteConfig() {
  std::ofstream conf(fs::path(directory_) / "snmpd.conf", std::ios::trunc);
  if (!options_.ReadCommunity.empty()) conf << "rocommunity " << options_.ReadCommunity << " 127.0.0.1\n";
  if (!options_.WriteCommunity.empty()) conf << "rwcommunity " << options_.WriteCommunity << " 127.0.0.1\n";
  for (const SnmpdUser& user : options_.Users) {
    conf << "createUser " << user.Name;
    if (!user.AuthProtocol.empty()) conf << ' ' << user.AuthProtocol << ' ' << user.AuthPassword;
    if (!user.PrivProtocol.empty()) conf << ' ' << user.PrivProtocol << ' ' << user.PrivPassword;
    conf << '\n' << (user.Writable ? "rwuser " : "rouser ") << user.Name << ' ' << AccessLevel(user) << '\n';
  }
  for (const std::string& line : options_.ExtraConfig) conf << line << '\n';
  conf.close();
  if (!conf) {
    error_ = "cannot write snmpd.conf in " + directory_;
    return false;
  }
  return true;
}

bool SnmpdAgent::Launch() {
  const std::string snmpd = FindSnmpd();
  if (snmpd.empty()) {
    error_ = "snmpd not found (install the snmpd package)";
    return false;
  }
  const fs::path dir(directory_);
  const std::string log = (dir / "snmpd.log").string();
  std::vector<std::string> args = {snmpd, "-f", "-Lf", log, "-C", "-c", (dir / "snmpd.conf").string(),
                                   "-p", (dir / "snmpd.pid").string(),
                                   // No SMUX listener: it would fight over TCP port 199 with
                                   // other test agents.
                                   "-I", "-smux", "udp:127.0.0.1:" + std::to_string(port_)};
  // The agent's persistent files stay in the test directory; no MIB files are loaded.
  std::vector<std::string> env = {"SNMP_PERSISTENT_DIR=" + (dir / "persist").string(),
                                  "SNMPCONFPATH=" + directory_, "MIBS="};
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string text = *entry;
    if (text.rfind("SNMP_PERSISTENT_DIR=", 0) == 0 || text.rfind("SNMPCONFPATH=", 0) == 0 ||
        text.rfind("MIBS=", 0) == 0) {
      continue;
    }
    env.push_back(text);
  }
  std::vector<char*> argv = Pointers(args);
  std::vector<char*> envp = Pointers(env);
  const std::string output = (dir / "snmpd.out").string();
  const pid_t parent = ::getpid();

  const pid_t child = ::fork();
  if (child < 0) {
    error_ = "fork failed: " + std::string(std::strerror(errno));
    return false;
  }
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive a crashed test
    if (::getppid() != parent) ::_exit(127);
    const int null = ::open("/dev/null", O_RDONLY);
    const int out = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (null >= 0) ::dup2(null, STDIN_FILENO);
    if (out >= 0) {
      ::dup2(out, STDOUT_FILENO);
      ::dup2(out, STDERR_FILENO);
    }
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
  }
  pid_ = child;
  return true;
}

bool SnmpdAgent::WaitUntilAnswering() {
  const int sock = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (sock < 0) {
    error_ = "cannot open a UDP socket";
    return false;
  }
  sockaddr_in agent{};
  agent.sin_family = AF_INET;
  agent.sin_port = htons(static_cast<uint16_t>(port_));
  agent.sin_addr.s_addr = htonl(INADDR_LOOPBACK);

  const auto deadline = Clock::now() + options_.StartDeadline;
  bool answered = false;
  while (!answered && Clock::now() < deadline) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      error_ = "snmpd exited during start-up";
      break;
    }
    ::sendto(sock, kDiscoveryProbe.data(), kDiscoveryProbe.size(), 0,
             reinterpret_cast<const sockaddr*>(&agent), sizeof agent);
    // Wait for the answer to this probe; an agent still starting gets another.
    pollfd ready{sock, POLLIN, 0};
    if (::poll(&ready, 1, 100) == 1 && (ready.revents & POLLIN)) {
      unsigned char reply[2048];
      answered = ::recv(sock, reply, sizeof reply, 0) > 0;
    }
  }
  ::close(sock);
  if (!answered && error_.empty()) error_ = "snmpd did not answer before the deadline";
  return answered;
}

bool SnmpdAgent::WaitForExit(std::chrono::milliseconds deadline) {
  const auto end = Clock::now() + deadline;
  const int pidfd = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
  while (true) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      if (pidfd >= 0) ::close(pidfd);
      return true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
    if (left.count() <= 0) break;
    if (pidfd >= 0) {
      pollfd exited{pidfd, POLLIN, 0};
      ::poll(&exited, 1, static_cast<int>(left.count()));
    } else {
      ::poll(nullptr, 0, static_cast<int>(std::min<long long>(left.count(), 20)));
    }
  }
  if (pidfd >= 0) ::close(pidfd);
  return false;
}

void SnmpdAgent::Stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  if (!WaitForExit(std::chrono::seconds(5))) {
    ::kill(pid_, SIGKILL);
    WaitForExit(std::chrono::seconds(5));
  }
  pid_ = -1;
}

std::string SnmpdAgent::Log() const {
  std::string text;
  for (const char* name : {"snmpd.log", "snmpd.out"}) {
    std::ifstream file(fs::path(directory_) / name);
    std::stringstream content;
    content << file.rdbuf();
    text += content.str();
  }
  return text;
}

}  // namespace linkwatch::support
