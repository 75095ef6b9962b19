#pragma once
#include <string>
#include <vector>

#include "support/AgentProcess.h"

namespace linkwatch::support {

// How a TableAgent answers walks.
enum class TableAgentMode {
  WellBehaved,  // get-next and get-bulk move on through the table
  RepeatOid,    // they never move past an object: every answer repeats the OID asked for
};

struct TableAgentOptions {
  TableAgentMode Mode = TableAgentMode::WellBehaved;
  // The objects served, one "OID|TYPE|VALUE" a line (TYPE: the BER tag, as in an
  // snmprec recording); empty: TableAgent::SmallDevice().
  std::vector<std::string> Objects{};
};

// A tiny SNMPv2c agent of our own (tests/support/table_agent.py, Python with
// pysnmp), started for a test on 127.0.0.1 and a free UDP port. It serves a table
// of objects to the community "public", answers get, get-next and get-bulk, and
// counts the requests it receives; in the RepeatOid mode it plays a broken device
// whose walks never end. Start() returns once it answers (within 15 s).
class TableAgent : public AgentProcess {
 public:
  explicit TableAgent(TableAgentOptions options = {});
  // Requests received so far (the start-up probes included); -1 before the start.
  int RequestCount() const;

  // A device with a system group and two Ethernet interfaces, eth0 (ifIndex 1) and
  // eth1 (ifIndex 2), each with ifDescr, ifType, ifSpeed, ifAdminStatus,
  // ifOperStatus and octet counters.
  static std::vector<std::string> SmallDevice();

 private:
  bool Prepare(Launch& launch) override;

  TableAgentOptions options_;
};

}  // namespace linkwatch::support
