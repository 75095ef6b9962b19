#pragma once
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/BackgroundProcess.h"
#include "support/Files.h"

namespace linkwatch::support {

// What sets one kind of test agent apart; fixed for the agent's life.
struct AgentProgram {
  std::string Name;        // "snmpd": names its temporary directory and its messages
  std::string OutputFile;  // in its directory: where its standard output and error go
  std::vector<std::string> LogFiles;  // in its directory: what Log() shows, in this order
  std::string PortTakenText;  // its log's words for a port that someone else bound first
  bool OwnProcessGroup = false;  // Stop() signals the whole group (agents that fork)
};

// A test agent on 127.0.0.1: the base of SnmpdAgent, SnmpsimAgent and TableAgent.
// It owns the agent's process and the temporary directory it works in. Start() lets
// the kind of agent prepare its directory, picks a free UDP port, runs the agent
// there and waits, bounded by a deadline, until it answers a probe datagram; a port
// taken by someone else in between means another try on another port. The
// destructor stops the agent (SIGTERM, then SIGKILL after a bounded wait) and
// removes the directory.
class AgentProcess {
 public:
  // The agent's command line (the program's full path first) for a given port.
  using Command = std::function<std::vector<std::string>(int port)>;

  explicit AgentProcess(AgentProgram program);
  virtual ~AgentProcess();
  AgentProcess(const AgentProcess&) = delete;
  AgentProcess& operator=(const AgentProcess&) = delete;

  // True once the agent answers (at once when it runs already), else false with Error().
  bool Start();
  void Stop() { process_.Stop(); }
  bool Running() const { return process_.Running(); }
  int Port() const { return port_; }
  // The agent's temporary directory; empty before the first start.
  const std::string& Directory() const;
  // Why the last start failed, ending with the agent's log.
  const std::string& Error() const { return error_; }
  // The agent's log files so far, one after the other (useful in assertion messages).
  std::string Log() const;

  // A UDP port on 127.0.0.1 that nothing listens on at the moment of the call.
  static int FreeUdpPort() { return support::FreeUdpPort(); }
  // The first executable `name` in `before`, then the PATH, then `after`; empty if none.
  static std::string FindProgram(const std::string& name, const std::vector<std::string>& before,
                                 const std::vector<std::string>& after);

 protected:
  // An SNMPv2c get of sysDescr.0 with the given community: the probe with which
  // an agent serving that community is known to be up (snmpsimd answers only
  // communities it has a recording for, so an answer also means they are loaded).
  static std::string SysDescrProbe(const std::string& community);
  // An SNMPv3 engine-discovery request (empty user, no authentication, reportable):
  // every snmpd answers it with a report, whatever communities and users it has.
  static std::string DiscoveryProbe();
  // How Start() runs the agent, and the probe it must answer within Deadline.
  struct Launch {
    Command MakeCommand;
    std::vector<std::string> Settings;  // as for BackgroundProcess::Start
    std::string Probe;
    std::chrono::milliseconds Deadline{0};
  };
  // Writes what the agent needs into Directory() (made by then) and fills in
  // `launch`; false with error_ set when it cannot.
  virtual bool Prepare(Launch& launch) = 0;

  std::string error_;

 private:
  bool WaitUntilAnswering(const std::string& probe, std::chrono::milliseconds deadline);

  AgentProgram program_;
  std::unique_ptr<TemporaryDirectory> directory_;
  BackgroundProcess process_;
  int port_ = 0;
};

}  // namespace linkwatch::support
