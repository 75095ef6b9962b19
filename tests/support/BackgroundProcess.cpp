#include "support/BackgroundProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include "support/Files.h"

namespace linkwatch::support {
namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::seconds kStopWait(5);

}  // namespace

BackgroundProcess::~BackgroundProcess() { Stop(); }

bool BackgroundProcess::Start(const std::vector<std::string>& arguments,
                              const std::string& outputFile) {
  if (arguments.empty() || Running()) return false;
  outputFile_ = outputFile;
  std::vector<std::string> texts = arguments;
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  const pid_t parent = ::getpid();
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    // Only async-signal-safe calls between fork and exec.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);  // never outlive a crashed test
    if (::getppid() != parent) ::_exit(127);
    const int null = ::open("/dev/null", O_RDONLY);
    const int out = ::open(outputFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (null >= 0) ::dup2(null, STDIN_FILENO);
    if (out >= 0) {
      ::dup2(out, STDOUT_FILENO);
      ::dup2(out, STDERR_FILENO);
    }
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  pid_ = child;
  return true;
}

bool BackgroundProcess::Running() {
  if (pid_ <= 0) return false;
  int status = 0;
  if (::waitpid(pid_, &status, WNOHANG) == pid_) pid_ = -1;
  return pid_ > 0;
}

void BackgroundProcess::Stop() {
  if (!Running()) return;
  ::kill(pid_, SIGTERM);
  const auto end = Clock::now() + kStopWait;
  while (Clock::now() < end) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(pid_, SIGKILL);
  int status = 0;
  ::waitpid(pid_, &status, 0);
  pid_ = -1;
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

int FreeTcpPort() {
  const int sock = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (sock < 0) return 0;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  int port = 0;
  if (::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::getsockname(sock, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(sock);
  return port;
}

}  // namespace linkwatch::support
