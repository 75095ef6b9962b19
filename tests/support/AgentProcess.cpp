#include "support/AgentProcess.h"

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

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

extern char** environ;

namespace linkwatch::support {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPortAttempts = 5;
constexpr std::chrono::seconds kStopWait(5);

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

std::string VariableName(const std::string& setting) {
  return setting.substr(0, setting.find('='));
}

}  // namespace

AgentProcess::AgentProcess(AgentProgram program) : program_(std::move(program)) {}

AgentProcess::~AgentProcess() { Stop(); }

bool AgentProcess::MakeDirectory() {
  if (directory_) return true;
  auto made = std::make_unique<TemporaryDirectory>("linkwatch-" + program_.Name);
  if (made->Path().empty()) {
    error_ = made->Error();
    return false;
  }
  directory_ = std::move(made);
  return true;
}

const std::string& AgentProcess::Directory() const {
  static const std::string kNone;
  return directory_ ? directory_->Path() : kNone;
}

int AgentProcess::FreeUdpPort() {
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

std::vector<std::string> AgentProcess::EnvironmentWith(const std::vector<std::string>& settings) {
  std::vector<std::string> environment = settings;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string text = *entry;
    const bool replaced = std::any_of(settings.begin(), settings.end(), [&](const auto& setting) {
      return VariableName(setting) == VariableName(text);
    });
    if (!replaced) environment.push_back(text);
  }
  return environment;
}

std::string AgentProcess::FindProgram(const std::string& name,
                                      const std::vector<std::string>& before,
                                      const std::vector<std::string>& after) {
  std::vector<std::string> dirs = before;
  if (const char* path = std::getenv("PATH")) {
    std::stringstream entries(path);
    std::string dir;
    while (std::getline(entries, dir, ':')) {
      if (!dir.empty()) dirs.push_back(dir);
    }
  }
  dirs.insert(dirs.end(), after.begin(), after.end());
  for (const std::string& dir : dirs) {
    const std::string candidate = dir + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

bool AgentProcess::Start(const Command& command, const std::vector<std::string>& environment,
                         const std::string& probe, std::chrono::milliseconds deadline) {
  if (Running()) return true;
  error_.clear();
  if (!MakeDirectory()) return false;
  for (int attempt = 0; attempt < kPortAttempts; ++attempt) {
    port_ = FreeUdpPort();
    if (port_ == 0) {
      error_ = "no free UDP port on 127.0.0.1";
      return false;
    }
    if (!Launch(command(port_), environment)) return false;
    if (WaitUntilAnswering(probe, deadline)) return true;
    const bool portTaken = Log().find(program_.PortTakenText) != std::string::npos;
    Stop();
    if (!portTaken) break;
  }
  error_ += "\n" + program_.Name + " log:\n" + Log();
  return false;
}

bool AgentProcess::Launch(std::vector<std::string> arguments,
                          std::vector<std::string> environment) {
  std::vector<char*> argv = Pointers(arguments);
  std::vector<char*> envp = Pointers(environment);
  const std::string output = (fs::path(Directory()) / program_.OutputFile).string();
  const bool ownGroup = program_.OwnProcessGroup;
  const pid_t parent = ::getpid();

  const pid_t child = ::fork();
  if (child < 0) {
    error_ = "fork failed: " + std::string(std::strerror(errno));
    return false;
  }
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    if (ownGroup) ::setpgid(0, 0);  // so Stop() reaches every process of the agent
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
  if (ownGroup) ::setpgid(child, child);  // also here, so the group exists whichever runs first
  pid_ = child;
  return true;
}

bool AgentProcess::WaitUntilAnswering(const std::string& probe,
                                      std::chrono::milliseconds deadline) {
  const int sock = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (sock < 0) {
    error_ = "cannot open a UDP socket";
    return false;
  }
  sockaddr_in agent{};
  agent.sin_family = AF_INET;
  agent.sin_port = htons(static_cast<uint16_t>(port_));
  agent.sin_addr.s_addr = htonl(INADDR_LOOPBACK);

  const auto end = Clock::now() + deadline;
  bool answered = false;
  while (!answered && Clock::now() < end) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      error_ = program_.Name + " exited during start-up";
      break;
    }
    ::sendto(sock, probe.data(), probe.size(), 0, reinterpret_cast<const sockaddr*>(&agent),
             sizeof agent);
    // Wait for the answer to this probe; an agent still starting gets another.
    pollfd ready{sock, POLLIN, 0};
    if (::poll(&ready, 1, 100) == 1 && (ready.revents & POLLIN)) {
      unsigned char reply[2048];
      answered = ::recv(sock, reply, sizeof reply, 0) > 0;
    }
  }
  ::close(sock);
  if (!answered && error_.empty()) error_ = program_.Name + " did not answer before the deadline";
  return answered;
}

bool AgentProcess::WaitForExit(std::chrono::milliseconds deadline) {
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

void AgentProcess::Signal(int signal) const {
  ::kill(program_.OwnProcessGroup ? -pid_ : pid_, signal);
}

void AgentProcess::Stop() {
  if (pid_ <= 0) return;
  Signal(SIGTERM);
  if (!WaitForExit(kStopWait)) {
    Signal(SIGKILL);
    WaitForExit(kStopWait);
  }
  pid_ = -1;
}

std::string AgentProcess::Log() const {
  std::string text;
  if (!directory_) return text;
  for (const std::string& name : program_.LogFiles) text += ReadFile(fs::path(Directory()) / name);
  return text;
}

}  // namespace linkwatch::support
