#include "support/SnmpdAgent.h"

#include <filesystem>
#include <fstream>

namespace linkwatch::support {

namespace {

namespace fs = std::filesystem;

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

bool SnmpdAgent::Prepare(Launch& launch) {
  const fs::path dir(Directory());
  fs::create_directories(dir / "persist");
  if (!WriteConfig()) return false;
  const std::string snmpd = AgentProcess::FindProgram(
      "snmpd", {"/usr/sbin", "/usr/local/sbin", "/sbin"}, {});
  if (snmpd.empty()) {
    error_ = "snmpd not found (install the snmpd package)";
    return false;
  }
  launch.MakeCommand = [snmpd, dir](int port) {
    return std::vector<std::string>{
        snmpd, "-f", "-Lf", (dir / "snmpd.log").string(), "-C", "-c",
        (dir / "snmpd.conf").string(), "-p", (dir / "snmpd.pid").string(),
        // No SMUX listener: it would fight over TCP port 199 with other test agents.
        "-I", "-smux", "udp:127.0.0.1:" + std::to_string(port)};
  };
  // The agent's persistent files stay in the test directory; no MIB files are loaded.
  launch.Settings = {"SNMP_PERSISTENT_DIR=" + (dir / "persist").string(),
                     "SNMPCONFPATH=" + dir.string(), "MIBS="};
  launch.Probe = DiscoveryProbe();
  launch.Deadline = std::chrono::seconds(15);
  return true;
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
