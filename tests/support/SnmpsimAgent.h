#pragma once
#include <string>
#include <vector>

#include "support/AgentProcess.h"

namespace linkwatch::support {

// An SNMPv3 user of the simulator. The SNMPv3 context selects the recording.
struct SnmpsimUser {
  std::string Name;
  std::string AuthProtocol;  // "MD5", "SHA", "SHA224", "SHA256", "SHA384", "SHA512"; empty: none
  std::string AuthKey;
  std::string PrivProtocol;  // "DES", "3DES", "AES", "AES192", "AES256"; empty: none
  std::string PrivKey;
};

struct SnmpsimOptions {
  // Where the NAME.snmprec recordings are; empty: the project's tests/data/snmpsim.
  std::string RecordingsDirectory{};
  // Recordings to serve, by name without ".snmprec"; empty: every recording there.
  std::vector<std::string> Recordings{};
  // SNMPv3 users; none: the simulator's own default user only.
  std::vector<SnmpsimUser> Users{};
};

// One interface of a recording and the traffic its counters grow by.
struct SimulatedInterfaceRate {
  int IfIndex = 0;
  double InOctetsPerSecond = 0;   // ifInOctets and ifHCInOctets
  double OutOctetsPerSecond = 0;  // ifOutOctets and ifHCOutOctets
};

// snmpsim's agent (snmpsimd), started for a test on 127.0.0.1 and a free UDP port,
// serving simulated devices recorded in NAME.snmprec files (tools/make-recordings.py
// writes the project's; docs/simulated-devices.md describes them). The SNMPv1/v2c
// community, or the SNMPv3 context, of a recording is its name: "switch48" serves
// switch48.snmprec. Writes through the writecache variation last as long as the agent.
//
// Start() copies the recordings into its temporary directory where the unprivileged
// user the simulator runs as can read them, runs snmpsimd in a process group of its
// own (so Stop() and a crashed test take every process of it) and returns once it
// answers SNMP (within 30 s; no fixed sleep), or false with Error().
class SnmpsimAgent : public AgentProcess {
 public:
  explicit SnmpsimAgent(SnmpsimOptions options = {});

  // The traffic rates the generator wrote beside a recording (NAME.rates.tsv);
  // empty when there are none.
  std::vector<SimulatedInterfaceRate> InterfaceRates(const std::string& recording) const;

 private:
  bool Prepare(Launch& launch) override;
  std::string RecordingsDirectory() const;
  bool PrepareDirectory();
  std::vector<std::string> Command(const std::string& snmpsimd, int port) const;

  SnmpsimOptions options_;
  std::vector<std::string> served_;
};

}  // namespace linkwatch::support
