#pragma once
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace linkwatch::cli::testing_program {

// The outcome of running a program to its end.
struct ProgramResult {
  int ExitCode = -1;      // -1 when it did not exit by itself
  int Signal = 0;         // the signal that ended it, if one did
  bool TimedOut = false;  // killed at the deadline
  std::string Out;
  std::string Err;
};

namespace detail {

inline std::vector<std::string> MergedEnvironment(const std::map<std::string, std::string>& changes) {
  std::vector<std::string> merged;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string text = *entry;
    const std::string name = text.substr(0, text.find('='));
    if (changes.count(name) == 0) merged.push_back(text);
  }
  for (const auto& [name, value] : changes) {
    if (!value.empty()) merged.push_back(name + "=" + value);
  }
  return merged;
}

inline std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (auto& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace detail

using OutputWatcher = std::function<void(const std::string& outSoFar, pid_t pid)>;

// Runs program with args (no shell), its standard input empty, its output and
// errors captured, the environment of this process plus (or minus, for an empty
// value) the given variables. It is killed when the deadline passes.
// onOutput, when given, sees the standard output so far and the program's
// process id whenever more output arrived (to interrupt it, or to change the
// world around it at a known point of its run). onStarted, when given, runs once
// with the process id as soon as the program runs (to act on it before it writes
// anything); the deadline counts from when it returns.
inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::map<std::string, std::string>& environment = {},
                                std::chrono::milliseconds deadline = std::chrono::seconds(60),
                                const OutputWatcher& onOutput = {},
                                const std::function<void(pid_t pid)>& onStarted = {}) {
  ProgramResult result;
  int outPipe[2];
  int errPipe[2];
  if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
    result.Err = std::string("pipe: ") + std::strerror(errno);
    return result;
  }
  std::vector<std::string> argv = {program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> envp = detail::MergedEnvironment(environment);
  std::vector<char*> argvPointers = detail::Pointers(argv);
  std::vector<char*> envPointers = detail::Pointers(envp);

  const pid_t pid = fork();
  if (pid == 0) {
    // From the root folder: the program must find its files wherever it is started.
    if (chdir("/") != 0) _exit(126);
    const int nullInput = open("/dev/null", O_RDONLY);
    dup2(nullInput, STDIN_FILENO);
    dup2(outPipe[1], STDOUT_FILENO);
    dup2(errPipe[1], STDERR_FILENO);
    execve(program.c_str(), argvPointers.data(), envPointers.data());
    _exit(127);
  }
  close(outPipe[1]);
  close(errPipe[1]);
  if (pid < 0) {
    close(outPipe[0]);
    close(errPipe[0]);
    result.Err = std::string("fork: ") + std::strerror(errno);
    return result;
  }

  if (onStarted) onStarted(pid);
  const auto end = std::chrono::steady_clock::now() + deadline;
  pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
  int open = 2;
  while (open > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      kill(pid, SIGKILL);
      result.TimedOut = true;
      break;
    }
    if (poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) break;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got <= 0) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
        continue;
      }
      (i == 0 ? result.Out : result.Err).append(buffer, static_cast<size_t>(got));
    }
    if (onOutput && (fds[0].revents & POLLIN) != 0) onOutput(result.Out, pid);
  }
  for (auto& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) result.ExitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.Signal = WTERMSIG(status);
  return result;
}


}  // namespace linkwatch::cli::testing_program
