#include "support/BackgroundProcess.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QProcess>
#include <thread>

#include "support/Files.h"

namespace linkwatch::support {
namespace {

using Clock = std::chrono::steady_clock;
constexpr int kStopWaitMs = 5000;

QString Text(const std::string& text) { return QString::fromStdString(text); }

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

BackgroundProcess::BackgroundProcess() = default;
BackgroundProcess::~BackgroundProcess() { Stop(); }

bool BackgroundProcess::Start(const std::vector<std::string>& arguments,
                              const std::string& outputFile,
                              const std::vector<std::string>& settings, bool ownGroup) {
  if (arguments.empty() || Running()) return false;
  outputFile_ = outputFile;
  ownGroup_ = ownGroup;
  process_ = std::make_unique<QProcess>();
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  for (const std::string& setting : settings) {
    const size_t equals = setting.find('=');
    environment.insert(Text(setting.substr(0, equals)), Text(setting.substr(equals + 1)));
  }
  QStringList rest;
  for (size_t i = 1; i < arguments.size(); ++i) rest << Text(arguments[i]);
  process_->setProcessEnvironment(environment);
  process_->setProgram(Text(arguments[0]));
  process_->setArguments(rest);
  process_->setStandardInputFile(QProcess::nullDevice());
  process_->setProcessChannelMode(QProcess::MergedChannels);
  process_->setStandardOutputFile(Text(outputFile));
  process_->setChildProcessModifier([ownGroup] {
    if (ownGroup) ::setpgid(0, 0);       // so Stop() reaches every process of the program
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);  // never outlive a crashed test
  });
  process_->start();
  return process_->waitForStarted(kStopWaitMs);
}

bool BackgroundProcess::Running() const {
  return process_ && process_->state() != QProcess::NotRunning && !process_->waitForFinished(0);
}

pid_t BackgroundProcess::Pid() const { return Running() ? process_->processId() : -1; }

void BackgroundProcess::Stop() {
  if (!Running()) return;
  const pid_t pid = process_->processId();
  ::kill(ownGroup_ ? -pid : pid, SIGTERM);
  if (process_->waitForFinished(kStopWaitMs)) return;
  ::kill(ownGroup_ ? -pid : pid, SIGKILL);
  process_->waitForFinished(kStopWaitMs);
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
