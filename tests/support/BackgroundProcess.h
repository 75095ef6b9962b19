#pragma once
#include <netinet/in.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QProcess;

namespace linkwatch::support {

// A program that runs beside a test (an agent or a server it talks to over
// loopback): standard input from /dev/null, output to a file, killed with the test
// if the test dies, and stopped by Stop() or the destructor with SIGTERM (SIGKILL
// after a bounded wait), to its whole process group when it has one of its own.
// A QProcess underneath, which needs no event loop for this.
class BackgroundProcess {
 public:
  BackgroundProcess();
  ~BackgroundProcess();
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  // Runs arguments[0] (a full path) with the rest as its arguments, in this process's
  // environment with `settings` ("NAME=value") in place of any variables of the same
  // names, in a process group of its own when ownGroup (for programs that fork).
  // False when it could not be started.
  bool Start(const std::vector<std::string>& arguments, const std::string& outputFile,
             const std::vector<std::string>& settings = {}, bool ownGroup = false);
  void Stop();
  // False once the program has ended (by itself or through Stop()).
  bool Running() const;
  pid_t Pid() const;
  // What the program has written so far.
  std::string Output() const;

 private:
  std::unique_ptr<QProcess> process_;
  bool ownGroup_ = false;
  std::string outputFile_;
};

// Tries condition every pause until it holds or the deadline passes; true when it
// held. For conditions checked by asking another process (an HTTP query), which
// should not be asked every few milliseconds.
bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline,
               std::chrono::milliseconds pause = std::chrono::milliseconds(200));

// A TCP or UDP port on 127.0.0.1 that nothing listens on at the moment of the call.
int FreeTcpPort();
int FreeUdpPort();
// The address of a port on 127.0.0.1 (0: any free port, for bind).
sockaddr_in LoopbackAddress(int port);
// The port a socket is bound to; 0 when it cannot be told.
int BoundPort(int sock);

}  // namespace linkwatch::support
