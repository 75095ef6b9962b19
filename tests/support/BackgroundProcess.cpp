#include "support/BackgroundProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <thread>

#include "support/Files.h"

extern char** environ;

namespace linkwatch::support {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kStopWait(5);

// This process's environment with settings in place of the variables they name.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& settings) {
  std::vector<std::string> environment = settings;
  for (char** entry = environ; entry && *entry; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('=') + 1);
    const bool replaced = std::any_of(settings.begin(), settings.end(), [&](const auto& setting) {
      return setting.rfind(name, 0) == 0;
    });
    if (!replaced) environment.push_back(text);
  }
  return environment;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

int FreeLoopbackPort(int type) {
  const int sock = ::socket(AF_INET, type | SOCK_CLOEXEC, 0);
  if (sock < 0) return 0;
  const sockaddr_in address = LoopbackAddress(0);
  const bool bound = ::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  const int port = bound ? BoundPort(sock) : 0;
  ::close(sock);
  return port;
}

}  // namespace

BackgroundProcess::~BackgroundProcess() { Stop(); }

bool BackgroundProcess::Start(const std::vector<std::string>& arguments,
                              const std::string& outputFile,
                              const std::vector<std::string>& settings, bool ownGroup) {
  if (arguments.empty() || Running()) return false;
  outputFile_ = outputFile;
  ownGroup_ = ownGroup;
  std::vector<std::string> texts = arguments;
  std::vector<std::string> environment = EnvironmentWith(settings);
  std::vector<char*> argv = Pointers(texts);
  std::vector<char*> envp = Pointers(environment);
  const pid_t parent = ::getpid();
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    if (ownGroup) ::setpgid(0, 0);       // so Stop() reaches every process of the program
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive a crashed test
    if (::getppid() != parent) ::_exit(127);
    const int null = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outputFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
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

bool BackgroundProcess::Running() const {
  int status = 0;
  if (pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) pid_ = -1;
  return pid_ > 0;
}

bool BackgroundProcess::WaitForExit(std::chrono::milliseconds deadline) const {
  return PollUntil([this] { return !Running(); }, deadline, std::chrono::milliseconds(10));
}

void BackgroundProcess::Stop() {
  if (!Running()) return;
  const pid_t target = ownGroup_ ? -pid_ : pid_;
  ::kill(target, SIGTERM);
  if (WaitForExit(kStopWait)) return;
  ::kill(target, SIGKILL);
  WaitForExit(kStopWait);
}

std::string BackgroundProcess::Output() const { return ReadFile(outputFile_); }

bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline,
               std::chrono::milliseconds pause) {
  const auto end = Clock::now() + deadline;
  while (true) {
    if (condition()) return true;
    if (Clock::now() + pause > end) return condition();
    std::this_thread::sleep_for(pause);
  }
}

int FreeTcpPort() { return FreeLoopbackPort(SOCK_STREAM); }

sockaddr_in LoopbackAddress(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

int BoundPort(int sock) {
  sockaddr_in address{};
  socklen_t size = sizeof address;
  const bool known = ::getsockname(sock, reinterpret_cast<sockaddr*>(&address), &size) == 0;
  return known ? ntohs(address.sin_port) : 0;
}
int FreeUdpPort() { return FreeLoopbackPort(SOCK_DGRAM); }

}  // namespace linkwatch::support
