#pragma once
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "ExporterConfig.h"
#include "MetricSet.h"
#include "ReplyTimes.h"
#include "RequestCounter.h"
#include "control/CycleTracker.h"

namespace linkwatch {
class InterfaceList;
}

namespace linkwatch::exporter {

class CountingPlatform;
class MetricNaming;

// One configured device: its InterfaceList, polled by the control's own timer
// (AutoUpdate, RefreshInterval), and the metrics of its last poll cycle.
//
// - A poll never starts while the last cycle's walks run: the PollTimer handler
//   holds the control's timer off while WalksInProgress is above 0.
// - When a cycle ends (CycleTracker: complete or incomplete), the values that
//   arrived in it become the device's metrics; a value that did not arrive (a
//   walk that failed, a device that stopped answering) is left out, never shown
//   as fresh. up is 1 when the last cycle brought values, else 0.
// - A failed start is retried by the StartQueue after RetryDelay(), which doubles
//   from 5 s up to 5 minutes.
//
// Made, used and destroyed on the thread whose platform is the CountingPlatform.
class DeviceMonitor {
 public:
  DeviceMonitor(DeviceConfig config, CountingPlatform& platform, MetricNaming& naming);
  ~DeviceMonitor();
  DeviceMonitor(const DeviceMonitor&) = delete;
  DeviceMonitor& operator=(const DeviceMonitor&) = delete;

  const DeviceConfig& Config() const { return config_; }

  // StartMonitoring; blocks for the start's probes. False: LastError says why and
  // RetryDelay() says when to try again.
  bool Start();
  bool Started() const { return started_; }
  std::chrono::milliseconds RetryDelay() const;
  std::string LastError() const;

  // A look between events: notices cycles that ended without Status.
  void Check();

  // The device's own metrics (up, version, cycle figures, ...), added to out.
  void AddMetrics(MetricSet& out) const;
  // The interface metrics of the last poll cycle; none while the device is down.
  const MetricSet* LastCycle() const { return up_ ? &lastCycle_ : nullptr; }

  // Cycles ended since the start (complete and incomplete), for tests and benchmarks.
  uint64_t CyclesEnded() const { return cyclesEnded_; }
  double LastCycleSeconds() const { return lastCycleSeconds_; }
  uint64_t LastCycleRequests() const { return lastCycleRequests_; }

 private:
  void Configure();
  void TakeCycleEnd(bool complete);
  // The fresh values of the control's interfaces and child rows, as metrics;
  // counters carry the time their reply arrived (cycleEndMs when it is not known).
  size_t CollectFreshValues(MetricSet& out, int64_t cycleEndMs);

  DeviceConfig config_;
  MetricNaming& naming_;
  std::shared_ptr<RequestCounter> requests_;
  std::shared_ptr<ReplyTimes> replyTimes_;  // of the cycle under way
  std::unique_ptr<InterfaceList> control_;
  CycleTracker tracker_;

  bool started_ = false;
  int failedStarts_ = 0;
  std::chrono::steady_clock::time_point startedAt_{};
  bool up_ = false;
  uint64_t cyclesEnded_ = 0;
  uint64_t scrapeErrors_ = 0;
  double lastCycleSeconds_ = 0;
  uint64_t lastCycleRequests_ = 0;
  MetricSet lastCycle_;  // interface metrics of the last cycle
  // Statistic::Updates() per "row key\tstatistic name" at the last cycle end.
  std::unordered_map<std::string, uint32_t> seenUpdates_;
  bool firstCycle_ = true;
};

}  // namespace linkwatch::exporter
