// Whether long runs leak: memory and file descriptors of the real control against
// net-snmp's agent on loopback.
//
// It starts snmpd on 127.0.0.1 with a configuration of its own (the test
// support's SnmpdAgent) and then
//   (a) polls with one control back to back (the next poll as soon as a cycle
//       ends) and prints cycles per second, resident memory (VmRSS) and open
//       descriptors at cycle 100 and at the end;
//   (b) does the same with many controls on one thread;
//   (c) starts, restarts and stops one control over and over, and prints memory
//       and descriptors before and after.
// Each part ends with PASS or FAIL lines for "memory growth under 1 MB" and "no
// descriptor leaked".
//
//   soak_bench [cycles] [controls] [cycles per control] [start-stop rounds]
//   (defaults 3000 20 200 1000; "soak_bench 300 5 40 100" is a quick run)
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "model/Interfaces.h"
#include "platform/host/HostPlatform.h"
#include "platform/qt/QtEventLoop.h"
#include "statistics/StatisticTemplates.h"
#include "support/EventLoop.h"
#include "support/SnmpdAgent.h"

namespace linkwatch {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr const char* kStatistics =
    "Interface Name,Interface Status,Interface Type,In Traffic,Out Traffic,Speed";
constexpr long kMemoryGrowthLimitKb = 1024;
constexpr int kMeasureAtCycle = 100;
// No single cycle against an agent on loopback takes this long.
constexpr auto kCycleDeadline = 30s;

// Resident memory of this process in kB (VmRSS), or -1.
long ResidentKb() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

int OpenDescriptors() {
  int count = 0;
  std::error_code failure;
  for (auto it = std::filesystem::directory_iterator("/proc/self/fd", failure);
       !failure && it != std::filesystem::directory_iterator(); it.increment(failure)) {
    ++count;
  }
  return count - 1;  // the directory listing's own descriptor
}

struct Sample {
  long ResidentKb = 0;
  int Descriptors = 0;
  static Sample Now() { return {linkwatch::ResidentKb(), OpenDescriptors()}; }
};

// Prints the two samples and the verdicts; false when one failed.
bool Report(const char* part, const char* first, const Sample& before, const Sample& after) {
  const long growth = after.ResidentKb - before.ResidentKb;
  std::printf("    resident memory %s: %ld kB; at the end: %ld kB (growth %+ld kB)\n", first,
              before.ResidentKb, after.ResidentKb, growth);
  std::printf("    open descriptors %s: %d; at the end: %d\n", first, before.Descriptors,
              after.Descriptors);
  const bool memory = growth < kMemoryGrowthLimitKb;
  const bool descriptors = after.Descriptors <= before.Descriptors;
  std::printf("%s memory growth under 1 MB (%s)\n", memory ? "PASS" : "FAIL", part);
  std::printf("%s no descriptor leaked (%s)\n", descriptors ? "PASS" : "FAIL", part);
  return memory && descriptors;
}

// A control aimed at the agent that counts the cycles it ends.
struct PolledControl {
  std::unique_ptr<InterfaceList> List = std::make_unique<InterfaceList>();
  int Cycles = 0;
  bool Due = false;  // its cycle ended: poll again

  explicit PolledControl(int port) {
    List->SetTarget("127.0.0.1");
    List->SetSNMPPort(port);
    List->SetCommunity("public");
    List->SetSNMPTimeoutMs(2000);
    List->SetSNMPRetries(1);
    List->SetStatisticsList(kStatistics);
    List->Status.Subscribe([this](bool&) {
      ++Cycles;
      Due = true;
    });
  }
};

bool Wait(const std::function<bool()>& condition) {
  return support::RunEventLoopUntil(condition, kCycleDeadline);
}

// Starts the controls and waits until the first cycle (two chains) of each ended.
bool StartAll(std::vector<std::unique_ptr<PolledControl>>& controls) {
  for (auto& control : controls) {
    if (!control->List->StartMonitoring()) {
      std::printf("FAIL the control did not start: %s\n", control->List->LastError().c_str());
      return false;
    }
  }
  const bool started = Wait([&] {
    for (auto& control : controls) {
      if (control->Cycles < 2 || control->List->WalksInProgress() != 0) return false;
    }
    return true;
  });
  if (!started) std::printf("FAIL the first cycles did not end\n");
  for (auto& control : controls) control->Due = true;
  return started;
}

// Polls every control back to back until each ended `cycles` more cycles; `sample`
// runs once when every control has ended kMeasureAtCycle of them (or at the start
// for shorter runs).
bool PollBackToBack(std::vector<std::unique_ptr<PolledControl>>& controls, int cycles,
                    const std::function<void()>& sample) {
  const int first = controls.front()->Cycles;
  const int sampleAt = first + (cycles > kMeasureAtCycle ? kMeasureAtCycle : 0);
  bool sampled = false;
  for (;;) {
    bool done = true;
    bool reachedSample = true;
    for (auto& control : controls) {
      if (control->Cycles < sampleAt) reachedSample = false;
      const bool finished = control->Cycles - first >= cycles;
      if (!finished) done = false;
      if (control->Due) {
        control->Due = false;
        if (!finished) control->List->Poll(false);
      }
    }
    if (reachedSample && !sampled) {
      sample();
      sampled = true;
    }
    if (done) return true;
    const bool progressed = Wait([&] {
      for (auto& control : controls) {
        if (control->Due) return true;
      }
      return false;
    });
    if (!progressed) {
      std::printf("FAIL a cycle did not end within %lld s\n",
                  static_cast<long long>(kCycleDeadline.count()));
      return false;
    }
  }
}

bool OneControl(int port, int cycles) {
  std::printf("(a) one control, %d cycles back to back\n", cycles);
  std::vector<std::unique_ptr<PolledControl>> controls;
  controls.push_back(std::make_unique<PolledControl>(port));
  if (!StartAll(controls)) return false;
  Sample atSample;
  Clock::time_point from;
  int fromCycle = 0;
  const bool polled = PollBackToBack(controls, cycles, [&] {
    atSample = Sample::Now();
    from = Clock::now();
    fromCycle = controls.front()->Cycles;
  });
  if (!polled) return false;
  const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
  const int measured = controls.front()->Cycles - fromCycle;
  const int interfaces = controls.front()->List->Interfaces()->Count();
  std::printf("    %.1f cycles per second (%d cycles in %.2f s; %d interfaces shown)\n",
              measured / seconds, measured, seconds, interfaces);
  return Report("one control", cycles > kMeasureAtCycle ? "at cycle 100" : "after the start",
                atSample, Sample::Now());
}

bool ManyControls(int port, int count, int cycles) {
  std::printf("(b) %d controls on one thread, %d cycles each\n", count, cycles);
  std::vector<std::unique_ptr<PolledControl>> controls;
  for (int i = 0; i < count; ++i) controls.push_back(std::make_unique<PolledControl>(port));
  if (!StartAll(controls)) return false;
  Sample atSample;
  Clock::time_point from;
  const bool polled = PollBackToBack(controls, cycles, [&] {
    atSample = Sample::Now();
    from = Clock::now();
  });
  if (!polled) return false;
  const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
  int total = 0;
  for (auto& control : controls) total += control->Cycles;
  std::printf("    %d cycles in all; %.1f cycles per second over all controls after the sample\n",
              total, (cycles > kMeasureAtCycle ? cycles - kMeasureAtCycle : cycles) * count /
                         seconds);
  return Report("many controls",
                cycles > kMeasureAtCycle ? "at cycle 100 of each" : "after the start", atSample,
                Sample::Now());
}

bool StartStopRounds(int port, int rounds) {
  std::printf("(c) %d rounds of StartMonitoring, Restart and StopMonitoring\n", rounds);
  PolledControl control(port);
  // The first rounds fill the caches (sessions, catalogues) that stay.
  constexpr int kWarmUp = 10;
  Sample before;
  const auto from = Clock::now();
  for (int round = 0; round < kWarmUp + rounds; ++round) {
    if (round == kWarmUp) before = Sample::Now();
    InterfaceList& list = *control.List;
    list.SetStatisticsList(kStatistics);  // StopMonitoring forgets the list
    if (!list.StartMonitoring()) {
      std::printf("FAIL round %d did not start: %s\n", round, list.LastError().c_str());
      return false;
    }
    list.Restart();
    list.StopMonitoring();
    // The walks in flight are still answered; let them end before the next round.
    if (!Wait([&] { return list.WalksInProgress() == 0; })) {
      std::printf("FAIL the walks of round %d did not end\n", round);
      return false;
    }
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - from).count();
  std::printf("    %.1f rounds per second\n", (kWarmUp + rounds) / seconds);
  return Report("start and stop", "after the first 10 rounds", before, Sample::Now());
}

int Argument(int argc, char** argv, int index, int fallback) {
  return argc > index ? std::max(1, std::atoi(argv[index])) : fallback;
}

}  // namespace
}  // namespace linkwatch

int main(int argc, char** argv) {
  using namespace linkwatch;
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each figure as soon as it is known
  const int cycles = Argument(argc, argv, 1, 3000);
  const int controls = Argument(argc, argv, 2, 20);
  const int cyclesEach = Argument(argc, argv, 3, 200);
  const int rounds = Argument(argc, argv, 4, 1000);

  auto app = QtEventLoop::EnsureApplication();
  StatisticTemplates::SetFileOverride(std::string(LINKWATCH_SOURCE_DIR) + "/data/OSTLNK9.cfg");
  HostPlatform::InstallForThisThread(HostPlatformOptions{false});

  support::SnmpdAgent agent;
  if (!agent.Start()) {
    std::printf("FAIL snmpd did not start: %s\n", agent.Error().c_str());
    return 1;
  }
  std::printf("soak: snmpd on 127.0.0.1 port %d; statistics %s\n", agent.Port(), kStatistics);
  bool passed = OneControl(agent.Port(), cycles);
  passed = ManyControls(agent.Port(), controls, cyclesEach) && passed;
  passed = StartStopRounds(agent.Port(), rounds) && passed;
  std::printf("%s\n", passed ? "soak: every check passed" : "soak: some check failed");
  Globals::Reset();
  return passed ? 0 : 1;
}
