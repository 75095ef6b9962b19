#pragma once
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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

// The child process of a test agent on 127.0.0.1 and the temporary directory it
// works in. Start() picks a free UDP port, runs the agent there (standard input from
// /dev/null, output to OutputFile, killed with the test if the test dies) and waits,
// bounded by a deadline, until the agent answers a probe datagram; a port taken by
// someone else in between means another try on another port. Stop() sends SIGTERM,
// then SIGKILL after a bounded wait. The destructor stops the agent and removes the
// directory.
class AgentProcess {
 public:
  // The agent's command line (the program's full path first) for a given port.
  using Command = std::function<std::vector<std::string>(int port)>;

  explicit AgentProcess(AgentProgram program);
  ~AgentProcess();
  AgentProcess(const AgentProcess&) = delete;
  AgentProcess& operator=(const AgentProcess&) = delete;

  // Makes the temporary directory once; true when it is there, otherwise Error() says why.
  bool MakeDirectory();
  // Empty until MakeDirectory() succeeded.
  const std::string& Directory() const;

  // True when the agent runs and answered `probe` within `deadline`; otherwise
  // Error() says why, ending with the agent's log.
  bool Start(const Command& command, const std::vector<std::string>& environment,
             const std::string& probe, std::chrono::milliseconds deadline);
  void Stop();
  bool Running() const { return pid_ > 0; }
  int Port() const { return port_; }
  const std::string& Error() const { return error_; }
  // The agent's log files so far, one after the other.
  std::string Log() const;

  // A UDP port on 127.0.0.1 that nothing listens on at the moment of the call.
  static int FreeUdpPort();
  // This process's environment with `settings` ("NAME=value") in place of any
  // variables of the same names.
  static std::vector<std::string> EnvironmentWith(const std::vector<std::string>& settings);
  // The first executable `name` in `before`, then the PATH, then `after`; empty if none.
  static std::string FindProgram(const std::string& name, const std::vector<std::string>& before,
                                 const std::vector<std::string>& after);

 private:
  bool Launch(std::vector<std::string> arguments, std::vector<std::string> environment);
  bool WaitUntilAnswering(const std::string& probe, std::chrono::milliseconds deadline);
  bool WaitForExit(std::chrono::milliseconds deadline);
  void Signal(int signal) const;  // to the agent's group when it has one

  AgentProgram program_;
  std::unique_ptr<TemporaryDirectory> directory_;
  std::string error_;
  int port_ = 0;
  pid_t pid_ = -1;  // with OwnProcessGroup, the leader of the agent's group
};

}  // namespace linkwatch::support
