#pragma once
#include <chrono>
#include <string>
#include <vector>

#include "support/AgentProcess.h"

namespace linkwatch::support {

// An SNMPv3 user of the test agent (createUser plus rouser/rwuser).
struct SnmpdUser {
  std::string Name;
  std::string AuthProtocol;  // "MD5", "SHA", "SHA-224", "SHA-256", "SHA-384", "SHA-512"; empty: none
  std::string AuthPassword;
  std::string PrivProtocol;  // "DES", "AES", "AES-192", "AES-256"; empty: none
  std::string PrivPassword;
  bool Writable = false;  // rwuser instead of rouser
};

struct SnmpdOptions {
  std::string ReadCommunity = "public";   // rocommunity for 127.0.0.1; empty: none
  std::string WriteCommunity = "private";  // rwcommunity for 127.0.0.1; empty: none
  std::vector<SnmpdUser> Users;
  std::vector<std::string> ExtraConfig;  // more snmpd.conf lines, appended as given
  std::chrono::milliseconds StartDeadline = std::chrono::seconds(15);
};

// net-snmp's agent, started for a test on 127.0.0.1 and a free UDP port.
//
// Start() writes snmpd.conf into a fresh temporary directory (the agent's
// persistent files go there too, and no other configuration is read), runs
// `snmpd -f -Lf LOG -C -c CONF -p PID udp:127.0.0.1:PORT` and returns once the agent
// answers SNMP (bounded by StartDeadline; no fixed sleep). The agent serves this
// machine's real system group and interfaces. The destructor stops it (SIGTERM,
// then SIGKILL after a bounded wait) and removes the directory.
//
//   linkwatch::support::SnmpdAgent agent;
//   ASSERT_TRUE(agent.Start()) << agent.Error();
//   message.Agent = agent.Address();  transport.Port = agent.Port();
class SnmpdAgent {
 public:
  explicit SnmpdAgent(SnmpdOptions options = {});
  ~SnmpdAgent();
  SnmpdAgent(const SnmpdAgent&) = delete;
  SnmpdAgent& operator=(const SnmpdAgent&) = delete;

  // True when the agent runs and answers; otherwise Error() says why.
  bool Start();
  void Stop();
  bool Running() const { return process_.Running(); }

  std::string Address() const { return "127.0.0.1"; }
  int Port() const { return process_.Port(); }
  const std::string& Directory() const { return process_.Directory(); }
  const std::string& Error() const { return error_; }
  // The agent's log so far (useful in assertion messages).
  std::string Log() const;

  // A UDP port on 127.0.0.1 that nothing listens on at the moment of the call.
  static int FreeUdpPort();

 private:
  bool WriteConfig();

  SnmpdOptions options_;
  AgentProcess process_;
  std::string error_;
};

}  // namespace linkwatch::support
