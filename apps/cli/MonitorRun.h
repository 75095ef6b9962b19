#pragma once
#include <iosfwd>
#include <memory>

#include "CliOptions.h"
#include "control/CycleTracker.h"
#include "Freshness.h"
#include "OutputFormatter.h"

namespace linkwatch {
class InterfaceList;
}

namespace linkwatch::cli {

// One monitoring run of the command line: configures an InterfaceList from the
// options, starts it, runs the Qt event loop and prints the grid after every
// complete poll cycle until --cycles are printed or SIGINT/SIGTERM arrives.
//
// Polling: the first poll comes with the start and the control's timer makes the
// second 7 s later. With --interval the control's timer (AutoUpdate) polls every
// interval after that; without it this host's PollTimer handler calls Poll
// whenever NextPoll has passed, which makes a poll every RefreshInterval (30 s).
//
// Device actions (--enable, --shutdown) run once the first cycle has found the
// interfaces; each accepted one polls again, and that cycle is the first printed.
//
// The thread's platform must be installed and a Qt application must exist.
class MonitorRun {
 public:
  // liveTerminal: out is a terminal and the run has no cycle limit, so the table
  // is redrawn in place instead of printed one cycle after another.
  MonitorRun(const CliOptions& options, std::ostream& out, std::ostream& err, bool liveTerminal);
  ~MonitorRun();

  // The exit code (ExitCodes.h).
  int Run();

 private:
  void Configure(InterfaceList& control) const;
  // 0, or kExitActionRefused after saying why on err.
  int RunActions(InterfaceList& control);
  void Print(const InterfaceList& control);
  // Says on err why walks of the cycle that ended stopped early.
  void ReportWalkFailures(const InterfaceList& control, bool cycleIncomplete);

  const CliOptions& options_;
  std::ostream& out_;
  std::ostream& err_;
  bool liveTerminal_;
  std::unique_ptr<OutputFormatter> formatter_;
  Freshness freshness_;
  int printed_ = 0;
};

}  // namespace linkwatch::cli
