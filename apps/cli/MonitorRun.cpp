#include "MonitorRun.h"

#include <chrono>
#include <ctime>
#include <ostream>
#include <string>

#include "ExitCodes.h"
#include "GridSnapshot.h"
#include "InterruptSignals.h"
#include "SystemSummary.h"
#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "model/Interfaces.h"
#include "platform/qt/QtEventLoop.h"

namespace linkwatch::cli {
using apps::InterruptSignals;
namespace {

// How long one turn of the event loop may last before the run loop looks at its
// own state again; the loop itself notices cycle ends and signals within a few
// milliseconds.
constexpr std::chrono::milliseconds kLoopTurn{1000};

// Clears a terminal and puts the cursor top left.
constexpr const char* kClearScreen = "\x1b[H\x1b[2J";

std::string ClockTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%H:%M:%S", &local);
  return text;
}

}  // namespace

MonitorRun::MonitorRun(const CliOptions& options, std::ostream& out, std::ostream& err,
                       bool liveTerminal)
    : options_(options),
      out_(out),
      err_(err),
      liveTerminal_(liveTerminal),
      formatter_(OutputFormatter::For(options.Format)) {}

MonitorRun::~MonitorRun() = default;

void MonitorRun::Configure(InterfaceList& control) const {
  control.SetTarget(options_.Target);
  control.SetSNMPPort(options_.Port);
  control.SetCommunity(options_.Community);
  control.SetSNMPVersion(options_.SNMPVersion);
  control.SetSNMPUsername(options_.User);
  control.SetSNMPContext(options_.Context);
  control.SetSNMPAuthType(options_.AuthType);
  control.SetSNMPAuthPass(options_.AuthPass);
  control.SetSNMPEncryptType(options_.PrivType);
  control.SetSNMPEncryptPass(options_.PrivPass);
  if (options_.TimeoutMs) control.SetSNMPTimeoutMs(*options_.TimeoutMs);
  if (options_.Retries) control.SetSNMPRetries(*options_.Retries);
  control.SetSynchronous(options_.Synchronous);
  control.SetStatisticsList(options_.Statistics);
  if (options_.IntervalSeconds) {
    int32_t seconds = *options_.IntervalSeconds;
    control.SetRefreshInterval(seconds);
    control.SetAutoUpdate(true);
  }
}

int MonitorRun::RunActions(InterfaceList& control) {
  for (const InterfaceAction& action : options_.Actions) {
    const bool enable = action.What == InterfaceAction::Kind::Enable;
    const char* option = enable ? "--enable" : "--shutdown";
    const auto interfaces = control.Interfaces();
    const auto target =
        interfaces ? interfaces->Item("I:" + std::to_string(action.IfIndex)) : nullptr;
    if (!target) {
      err_ << "linkwatch: " << option << ": the device has no interface " << action.IfIndex
           << "\n";
      return kExitActionRefused;
    }
    const bool done =
        enable ? control.AdminEnableInterface(target) : control.AdminShutdownInterface(target);
    if (!done) {
      if (control.LastError().empty()) {
        err_ << "linkwatch: " << option << ": the device refused the change of interface "
             << action.IfIndex << "\n";
      } else {
        err_ << control.LastError() << "\n";
      }
      return kExitActionRefused;
    }
  }
  return kExitSuccess;
}

void MonitorRun::ReportWalkFailures(const InterfaceList& control, bool cycleIncomplete) {
  for (const std::string& failure : control.WalkFailures()) {
    err_ << "linkwatch: the walk of " << failure << "\n";
  }
  if (cycleIncomplete && control.WalkFailures().empty()) {
    err_ << "linkwatch: a walk of this poll got no answer; the table shows what arrived\n";
  }
}

void MonitorRun::Print(const InterfaceList& control) {
  GridSnapshot snapshot = GridSnapshot::Read(control.TableObject());
  freshness_.Mark(control.Interfaces().get(), snapshot);
  const std::string text = formatter_->Format(SystemSummary::Of(control), snapshot);
  if (liveTerminal_) {
    out_ << kClearScreen << text << "\nUpdated " << ClockTime() << ". Ctrl-C ends.\n";
  } else {
    // Tables for people get a blank line between cycles; tsv and json stay dense.
    if (printed_ > 0 && options_.Format == OutputFormat::Table) out_ << "\n";
    out_ << text;
  }
  out_.flush();
  ++printed_;
}

int MonitorRun::Run() {
  InterruptSignals signals;
  InterfaceList control;
  Configure(control);

  CycleTracker tracker;
  control.Status.Subscribe(
      [&](bool&) { tracker.OnStatus(control.WalksInProgress(), control.NextPoll()); });
  // A poll never starts while the last cycle's walks still run: a new poll would
  // restart the list under the running walks, and on a slow device cycles would
  // pile up and never end. The control's timer polls only with AutoUpdate, so it
  // is held off while walks run; without --interval this host polls itself.
  const bool timedPolling = options_.IntervalSeconds.has_value();
  bool overrunReported = false;
  control.PollTimer.Subscribe([&](bool& autoUpdate) {
    const bool due = control.Active() && control.NextPoll() < Globals::GetPlatform().GetClock().Now();
    const bool busy = control.WalksInProgress() > 0;
    if (due && busy && !overrunReported) {
      overrunReported = true;
      err_ << "linkwatch: the last poll cycle is taking longer than the interval; the next poll "
              "starts when it ends\n";
    }
    if (!busy) overrunReported = false;
    if (timedPolling) {
      autoUpdate = !busy;
    } else if (due && !busy) {
      // Polling here, before the tick's own check, keeps that check from polling
      // a second time.
      control.Poll(false);
    }
  });

  // The start blocks (name resolution, SNMPv3 discovery, version probes against a
  // silent device: time-out x (retries + 1) each); nothing is printed or held yet,
  // so an interrupt during it ends the program at once.
  bool started = false;
  {
    InterruptSignals::ExitAtOnce during;
    started = control.StartMonitoring();
  }
  if (InterruptSignals::Received()) return kExitSuccess;
  if (!started) {
    err_ << control.LastError() << "\n";
    return kExitStartFailed;
  }
  tracker.Observe(control.WalksInProgress(), control.NextPoll());

  bool actionsDone = options_.Actions.empty();
  int result = kExitSuccess;
  bool finished = false;
  while (!finished && !InterruptSignals::Received()) {
    QtEventLoop::RunUntil(
        [&] {
          tracker.Observe(control.WalksInProgress(), control.NextPoll());
          return InterruptSignals::Received() || tracker.HasEnded();
        },
        kLoopTurn);
    const CycleTracker::Ends ends = tracker.Take();
    const int count = ends.Complete + ends.Incomplete;
    if (count == 0) continue;
    if (ends.Incomplete > 0) {
      // The chain that failed never refreshed the table; show what did arrive.
      control.RefreshTable();
    }
    ReportWalkFailures(control, ends.Incomplete > 0);
    if (!actionsDone) {
      actionsDone = true;
      result = RunActions(control);
      finished = result != kExitSuccess;
      continue;  // the accepted actions polled again: that cycle is printed
    }
    // Cycles that ended while the loop was busy printing are printed once.
    Print(control);
    if (!out_) break;  // the reader went away
    finished = options_.Cycles && printed_ >= *options_.Cycles;
  }
  control.StopMonitoring();
  return result;
}

}  // namespace linkwatch::cli
