#pragma once
#include <sys/types.h>

#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "support/EventLoop.h"

namespace linkwatch::cli::testing_program {

// The outcome of running a program to its end.
struct ProgramResult {
  int ExitCode = -1;      // -1 when it did not exit by itself
  bool Crashed = false;   // ended by a signal
  bool TimedOut = false;  // killed at the deadline
  std::string Out;
  std::string Err;
};

using OutputWatcher = std::function<void(const std::string& outSoFar, pid_t pid)>;

// Runs program with args (no shell) from the root folder (it must find its files
// wherever it is started), its standard input empty, its output and errors
// captured, the environment of this process plus (or minus, for an empty value)
// the given variables. It is killed when the deadline passes. onOutput, when
// given, sees the standard output so far and the process id whenever more output
// arrived (to interrupt it, or to change the world around it at a known point of
// its run). onStarted, when given, runs once with the process id as soon as the
// program runs (to act before it writes anything); the deadline counts from then.
inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::map<std::string, std::string>& environment = {},
                                std::chrono::milliseconds deadline = std::chrono::seconds(60),
                                const OutputWatcher& onOutput = {},
                                const std::function<void(pid_t pid)>& onStarted = {}) {
  support::EnsureQtApplication();
  QProcessEnvironment settings = QProcessEnvironment::systemEnvironment();
  for (const auto& [name, value] : environment) {
    settings.remove(QString::fromStdString(name));
    if (!value.empty()) settings.insert(QString::fromStdString(name), QString::fromStdString(value));
  }
  QStringList arguments;
  for (const std::string& arg : args) arguments << QString::fromStdString(arg);
  QProcess process;
  process.setProcessEnvironment(settings);
  process.setWorkingDirectory(QStringLiteral("/"));
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(QString::fromStdString(program), arguments);
  ProgramResult result;
  if (!process.waitForStarted(10000)) {
    result.Err = "cannot start " + program + ": " + process.errorString().toStdString();
    return result;
  }
  const auto pid = static_cast<pid_t>(process.processId());
  if (onStarted) onStarted(pid);
  QElapsedTimer clock;
  clock.start();
  while (process.state() != QProcess::NotRunning) {
    const qint64 left = deadline.count() - clock.elapsed();
    if (left <= 0) {
      result.TimedOut = true;
      process.kill();
      process.waitForFinished(5000);
      break;
    }
    if (process.waitForReadyRead(static_cast<int>(left))) {
      result.Out += process.readAllStandardOutput().toStdString();
      if (onOutput) onOutput(result.Out, pid);
    } else {
      process.waitForFinished(static_cast<int>(std::min<qint64>(left, 100)));
    }
  }
  result.Out += process.readAllStandardOutput().toStdString();
  result.Err = process.readAllStandardError().toStdString();
  result.Crashed = process.exitStatus() == QProcess::CrashExit;
  if (!result.Crashed && !result.TimedOut) result.ExitCode = process.exitCode();
  return result;
}

}  // namespace linkwatch::cli::testing_program
