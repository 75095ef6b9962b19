#include "support/AgentProcess.h"

#include <QHostAddress>
#include <QStandardPaths>
#include <QUdpSocket>
#include <filesystem>

#include "support/BerMessage.h"

namespace linkwatch::support {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPortAttempts = 5;

}  // namespace

AgentProcess::AgentProcess(AgentProgram program) : program_(std::move(program)) {}

AgentProcess::~AgentProcess() { Stop(); }

const std::string& AgentProcess::Directory() const {
  static const std::string kNone;
  return directory_ ? directory_->Path() : kNone;
}

std::string AgentProcess::FindProgram(const std::string& name,
                                      const std::vector<std::string>& before,
                                      const std::vector<std::string>& after) {
  // In `before`, then on the PATH (where findExecutable looks when given no
  // folders), then in `after`.
  const QString program = QString::fromStdString(name);
  QString found;
  for (const std::vector<std::string>& folders : {before, std::vector<std::string>{}, after}) {
    QStringList paths;
    for (const std::string& folder : folders) paths << QString::fromStdString(folder);
    if (found.isEmpty()) found = QStandardPaths::findExecutable(program, paths);
  }
  return found.toStdString();
}

bool AgentProcess::Start() {
  if (Running()) return true;
  error_.clear();
  if (Directory().empty()) {
    directory_ = std::make_unique<TemporaryDirectory>("linkwatch-" + program_.Name);
    error_ = directory_->Error();
  }
  Launch launch;
  if (Directory().empty() || !Prepare(launch)) return false;
  const std::string output = (fs::path(Directory()) / program_.OutputFile).string();
  for (int attempt = 0; attempt < kPortAttempts; ++attempt) {
    port_ = FreeUdpPort();
    if (port_ == 0) {
      error_ = "no free UDP port on 127.0.0.1";
      return false;
    }
    const std::vector<std::string> command = launch.MakeCommand(port_);
    if (!process_.Start(command, output, launch.Settings, program_.OwnProcessGroup)) {
      error_ = "cannot start " + program_.Name;
      return false;
    }
    if (WaitUntilAnswering(launch.Probe, launch.Deadline)) return true;
    const bool portTaken = Log().find(program_.PortTakenText) != std::string::npos;
    Stop();
    if (!portTaken) break;
  }
  error_ += "\n" + program_.Name + " log:\n" + Log();
  return false;
}

bool AgentProcess::WaitUntilAnswering(const std::string& probe,
                                      std::chrono::milliseconds deadline) {
  QUdpSocket socket;
  const auto end = Clock::now() + deadline;
  bool answered = false;
  while (!answered && Clock::now() < end) {
    if (!Running()) {
      error_ = program_.Name + " exited during start-up";
      break;
    }
    // Wait for the answer to this probe; an agent still starting gets another.
    socket.writeDatagram(probe.data(), static_cast<qint64>(probe.size()), QHostAddress::LocalHost,
                         static_cast<quint16>(port_));
    answered = socket.waitForReadyRead(100) && socket.hasPendingDatagrams();
  }
  if (!answered && error_.empty()) error_ = program_.Name + " did not answer before the deadline";
  return answered;
}

std::string AgentProcess::SysDescrProbe(const std::string& community) {
  static constexpr uint64_t kSysDescr[] = {1, 3, 6, 1, 2, 1, 1, 1, 0};
  return BerMessage::Request(1, community, BerMessage::kGet, 0x4C57, 0, 0, kSysDescr);
}

std::string AgentProcess::DiscoveryProbe() {
  // Version 3; header: msgID 0x1234, msgMaxSize 65507, flags reportable, model USM;
  // security parameters: empty engine ID, boots 0, time 0, empty user and keys; an
  // empty context and a get-request of no bindings.
  return std::string("\x30\x3A\x02\x01\x03\x30\x0F\x02\x02\x12\x34\x02\x03\x00\xFF\xE3"
                     "\x04\x01\x04\x02\x01\x03\x04\x10\x30\x0E\x04\x00\x02\x01\x00\x02"
                     "\x01\x00\x04\x00\x04\x00\x04\x00\x30\x12\x04\x00\x04\x00\xA0\x0C"
                     "\x02\x02\x56\x78\x02\x01\x00\x02\x01\x00\x30\x00", 60);
}

std::string AgentProcess::Log() const {
  std::string text;
  for (const std::string& name : program_.LogFiles) {
    if (directory_) text += ReadFile(fs::path(Directory()) / name);
  }
  return text;
}

}  // namespace linkwatch::support
