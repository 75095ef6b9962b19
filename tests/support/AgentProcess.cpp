#include "support/AgentProcess.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace linkwatch::support {

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kPortAttempts = 5;

// BER type, length and contents, for contents shorter than 128 octets (a probe
// with a community of the test's own).
std::string Tlv(unsigned char type, const std::string& content) {
  return std::string{static_cast<char>(type), static_cast<char>(content.size())} + content;
}

// The INTEGER 0 (error status, error index, boots, time).
const std::string kIntegerZero("\x02\x01\x00", 3);

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
  std::vector<std::string> dirs = before;
  std::stringstream entries(std::getenv("PATH") ? std::getenv("PATH") : "");
  for (std::string dir; std::getline(entries, dir, ':');) {
    if (!dir.empty()) dirs.push_back(dir);
  }
  dirs.insert(dirs.end(), after.begin(), after.end());
  for (const std::string& dir : dirs) {
    const std::string candidate = dir + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
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
  const int sock = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (sock < 0) {
    error_ = "cannot open a UDP socket";
    return false;
  }
  const sockaddr_in agent = LoopbackAddress(port_);

  const auto end = Clock::now() + deadline;
  bool answered = false;
  while (!answered && Clock::now() < end) {
    if (!Running()) {
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

std::string AgentProcess::SysDescrProbe(const std::string& community) {
  static const std::string kSysDescr("\x2B\x06\x01\x02\x01\x01\x01\x00", 8);
  const std::string binding = Tlv(0x30, Tlv(0x06, kSysDescr) + std::string("\x05\x00", 2));
  const std::string pdu = Tlv(0xA0, std::string("\x02\x02\x4C\x57", 4) + kIntegerZero +
                                        kIntegerZero + Tlv(0x30, binding));
  return Tlv(0x30, std::string("\x02\x01\x01", 3) + Tlv(0x04, community) + pdu);
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
