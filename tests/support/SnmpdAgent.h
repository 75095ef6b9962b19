#pragma once
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
  std::vector<SnmpdUser> Users{};
  std::vector<std::string> ExtraConfig{};  // more snmpd.conf lines, appended as given
};

// net-snmp's agent, started for a test on 127.0.0.1 and a free UDP port, serving
// this machine's real system group and interfaces. Start() writes snmpd.conf into
// its temporary directory (its persistent files go there too, and no other
// configuration is read) and returns once the agent answers SNMP (within 15 s; no
// fixed sleep), or false with Error().
//
//   linkwatch::support::SnmpdAgent agent;
//   ASSERT_TRUE(agent.Start()) << agent.Error();
//   message.Agent = "127.0.0.1";  transport.Port = agent.Port();
class SnmpdAgent : public AgentProcess {
 public:
  explicit SnmpdAgent(SnmpdOptions options = {});

 private:
  bool Prepare(Launch& launch) override;
  bool WriteConfig();

  SnmpdOptions options_;
};

}  // namespace linkwatch::support
