#include "support/SnmpdAgent.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace linkwatch::support {

namespace {

namespace fs = std::filesystem;

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

std::string AccessLevel(const SnmpdUser& user) {
  if (!user.PrivProtocol.empty()) return "priv";
  if (!user.AuthProtocol.empty()) return "auth";
  return "noauth";
}

}  // namespace

SnmpdAgent::SnmpdAgent(SnmpdOptions options)
    : AgentProcess({.Name = "snmpd",
                    .OutputFile = "snmpd.out",
                    .LogFiles = {"snmpd.log", "snmpd.out"},
                    .PortTakenText = "Error opening specified endpoint"}),
      options_(std::move(options)) {}

bool SnmpdAgent::Start() {
  if (Running()) return true;
  error_.clear();
  if (!MakeDirectory()) return false;
  const fs::path dir(Directory());
  fs::create_directories(dir / "persist");
  if (!WriteConfig()) return false;
  const std::string snmpd = AgentProcess::FindProgram(
      "snmpd", {"/usr/sbin", "/usr/local/sbin", "/sbin"}, {});
  if (snmpd.empty()) {
    error_ = "snmpd not found (install the snmpd package)";
    return false;
  }
  const auto command = [&](int port) {
    return std::vector<std::string>{
        snmpd, "-f", "-Lf", (dir / "snmpd.log").string(), "-C", "-c",
        (dir / "snmpd.conf").string(), "-p", (dir / "snmpd.pid").string(),
        // No SMUX listener: it would fight over TCP port 199 with other test agents.
        "-I", "-smux", "udp:127.0.0.1:" + std::to_string(port)};
  };
  // The agent's persistent files stay in the test directory; no MIB files are loaded.
  const auto environment = AgentProcess::EnvironmentWith(
      {"SNMP_PERSISTENT_DIR=" + (dir / "persist").string(), "SNMPCONFPATH=" + dir.string(),
       "MIBS="});
  const std::string probe(reinterpret_cast<const char*>(kDiscoveryProbe.data()),
                          kDiscoveryProbe.size());
  return StartAgent(command, environment, probe, std::chrono::seconds(15));
}

bool SnmpdAgent::WriteConfig() {
  std::ofstream conf(fs::path(Directory()) / "snmpd.conf", std::ios::trunc);
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
    error_ = "cannot write snmpd.conf in " + Directory();
    return false;
  }
  return true;
}

}  // namespace linkwatch::support
