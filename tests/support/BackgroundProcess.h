#pragma once
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace linkwatch::support {

// A program that runs beside a test (a server the test talks to over loopback):
// started with its output in a file, stopped with SIGTERM (SIGKILL after a bounded
// wait) by Stop() or the destructor, and killed with the test if the test dies.
class BackgroundProcess {
 public:
  BackgroundProcess() = default;
  ~BackgroundProcess();
  BackgroundProcess(const BackgroundProcess&) = delete;
  BackgroundProcess& operator=(const BackgroundProcess&) = delete;

  // Runs arguments[0] (a full path) with the rest as its arguments; its standard
  // output and error go to outputFile. False when it could not be started.
  bool Start(const std::vector<std::string>& arguments, const std::string& outputFile);
  void Stop();
  // False once the program has ended (by itself or through Stop()).
  bool Running();
  pid_t Pid() const { return pid_; }
  // What the program has written so far.
  std::string Output() const;

 private:
  pid_t pid_ = -1;
  std::string outputFile_;
};

// Tries condition every pause until it holds or the deadline passes; true when it
// held. For conditions checked by asking another process (an HTTP query), which
// should not be asked every few milliseconds.
bool PollUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline,
               std::chrono::milliseconds pause = std::chrono::milliseconds(200));

// A TCP port on 127.0.0.1 that nothing listens on at the moment of the call.
int FreeTcpPort();

}  // namespace linkwatch::support
