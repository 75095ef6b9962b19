#include "DeviceMonitor.h"

#include <algorithm>
#include <set>

#include "CountingPlatform.h"
#include "MetricNaming.h"
#include "control/InterfaceList.h"
#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "model/InterfaceChildren.h"
#include "model/Interfaces.h"
#include "statistics/Statistic.h"
#include "statistics/Statistics.h"

namespace linkwatch::exporter {
namespace {

constexpr std::chrono::milliseconds kFirstRetry{5000};
constexpr std::chrono::milliseconds kLongestRetry{300000};

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

bool IsWholeNumber(const std::string& text) {
  return !text.empty() && text.size() <= 20 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

DeviceMonitor::DeviceMonitor(DeviceConfig config, CountingPlatform& platform,
                             MetricNaming& naming)
    : config_(std::move(config)),
      naming_(naming),
      requests_(std::make_shared<RequestCounter>()),
      replyTimes_(std::make_shared<ReplyTimes>()) {
  platform.CountNextEngineInto(requests_, replyTimes_);
  control_ = std::make_unique<InterfaceList>();
  platform.CountNextEngineInto(nullptr, nullptr);
  Configure();
  control_->Status.Subscribe([this](bool&) {
    tracker_.OnStatus(control_->WalksInProgress(), control_->NextPoll());
    Check();
  });
  // Never poll while the last cycle's walks still run (docs/control.md).
  control_->PollTimer.Subscribe(
      [this](bool& autoUpdate) { autoUpdate = control_->WalksInProgress() == 0; });
}

DeviceMonitor::~DeviceMonitor() {
  if (control_ && control_->Active()) control_->StopMonitoring();
}

void DeviceMonitor::Configure() {
  InterfaceList& control = *control_;
  control.SetTarget(config_.Target);
  control.SetSNMPPort(config_.Port);
  control.SetCommunity(config_.Community);
  control.SetSNMPVersion(config_.SNMPVersion);
  control.SetSNMPUsername(config_.User);
  control.SetSNMPContext(config_.Context);
  control.SetSNMPAuthType(config_.AuthType);
  control.SetSNMPAuthPass(config_.AuthPass);
  control.SetSNMPEncryptType(config_.PrivType);
  control.SetSNMPEncryptPass(config_.PrivPass);
  control.SetSNMPTimeoutMs(config_.TimeoutMs);
  control.SetSNMPRetries(config_.Retries);
  control.SetSynchronous(config_.Synchronous);
  control.SetStatisticsList(config_.Statistics);
  int32_t interval = config_.IntervalSeconds;
  control.SetRefreshInterval(interval);
  control.SetAutoUpdate(true);
}

bool DeviceMonitor::Start() {
  // A failed start leaves the detected version at "none"; try the configured one.
  control_->SetSNMPVersion(config_.SNMPVersion);
  requests_->Take();
  replyTimes_->Clear();
  started_ = control_->StartMonitoring();
  if (!started_) {
    ++failedStarts_;
    ++scrapeErrors_;
    return false;
  }
  failedStarts_ = 0;
  startedAt_ = std::chrono::steady_clock::now();
  tracker_.Observe(control_->WalksInProgress(), control_->NextPoll());
  return true;
}

std::chrono::milliseconds DeviceMonitor::RetryDelay() const {
  std::chrono::milliseconds delay = kFirstRetry;
  for (int i = 1; i < failedStarts_ && delay < kLongestRetry; ++i) delay *= 2;
  return std::min(delay, kLongestRetry);
}

std::string DeviceMonitor::LastError() const { return control_->LastError(); }

void DeviceMonitor::Check() {
  if (!started_) return;
  tracker_.Observe(control_->WalksInProgress(), control_->NextPoll());
  if (!tracker_.HasEnded()) return;
  const CycleTracker::Ends ends = tracker_.Take();
  TakeCycleEnd(ends.Incomplete == 0);
}

void DeviceMonitor::TakeCycleEnd(bool complete) {
  const RequestCounter::Cycle cycle = requests_->Take();
  if (cycle.FirstSend) {
    lastCycleSeconds_ =
        std::chrono::duration<double>(RequestCounter::Clock::now() - *cycle.FirstSend).count();
  }
  lastCycleRequests_ = cycle.Requests;
  ++cyclesEnded_;
  scrapeErrors_ += control_->WalkFailures().size();
  if (!complete && control_->WalkFailures().empty()) ++scrapeErrors_;

  MetricSet fresh;
  const size_t values = CollectFreshValues(fresh, NowMs());
  replyTimes_->Clear();
  lastCycle_ = std::move(fresh);
  up_ = values > 0;
}

size_t DeviceMonitor::CollectFreshValues(MetricSet& out, int64_t cycleEndMs) {
  const auto interfaces = control_->Interfaces();
  std::unordered_map<std::string, uint32_t> now;
  size_t freshValues = 0;
  if (!interfaces) return 0;

  const auto collectRow = [&](const std::string& rowKey, int32_t ifIndex,
                              const Statistics& statistics, const Labels& rowLabels) {
    Labels info = rowLabels;
    std::set<std::string> families;  // one sample per family and row
    for (const auto& statistic : statistics) {
      const auto definition = statistic ? statistic->StatisticTemplate() : nullptr;
      if (!definition) continue;
      const std::string key = rowKey + "\t" + definition->StatName();
      const auto before = seenUpdates_.find(key);
      const bool isFresh = firstCycle_ || before == seenUpdates_.end() ||
                           before->second != statistic->Updates();
      now.emplace(key, statistic->Updates());
      if (!isFresh) continue;
      const MetricDefinition& metric = naming_.For(*definition);
      switch (metric.What) {
        case MetricDefinition::Kind::Counter:
          if (IsWholeNumber(statistic->RawText()) && families.insert(metric.Family).second) {
            out.Add(metric.Family, MetricSet::Type::Counter, metric.Help, rowLabels,
                    statistic->RawText(),
                    replyTimes_->ArrivalMs(definition->StatName(), ifIndex).value_or(cycleEndMs));
            ++freshValues;
          }
          break;
        case MetricDefinition::Kind::Gauge:
          if (statistic->CurrentValue() == Statistic::kNoValue) break;
          if (const auto number = MetricSet::Number(statistic->CurrentValue());
              number && families.insert(metric.Family).second) {
            out.Add(metric.Family, MetricSet::Type::Gauge, metric.Help, rowLabels, *number);
            ++freshValues;
          }
          break;
        case MetricDefinition::Kind::Text:
          if (families.insert("label " + metric.Label).second) {
            info.emplace_back(metric.Label, statistic->ParsedValue());
            ++freshValues;
          }
          break;
        case MetricDefinition::Kind::None:
          break;
      }
    }
    if (info.size() > rowLabels.size()) {
      out.Add(MetricNaming::kInfoFamily, MetricSet::Type::Info,
              "Texts of an interface or child row (names, types, addresses, statuses) as "
              "labels.",
              std::move(info), "1");
    }
  };

  for (const auto& row : *interfaces) {
    if (!row) continue;
    const Labels rowLabels = {{"device", config_.Name},
                              {"ifIndex", std::to_string(row->Index())},
                              {"ifDescr", row->Name()}};
    collectRow(row->Key(), row->Index(), row->OwnStatistics(), rowLabels);
    for (const auto& child : row->OwnChildren()) {
      if (!child) continue;
      Labels childLabels = rowLabels;
      childLabels.emplace_back("child", child->ChildIndex());
      collectRow(child->Key(), row->Index(), child->OwnStatistics(), childLabels);
    }
  }
  seenUpdates_ = std::move(now);
  firstCycle_ = false;
  return freshValues;
}

void DeviceMonitor::AddMetrics(MetricSet& out) const {
  const Labels device = {{"device", config_.Name}};
  out.Add("linkwatch_up", MetricSet::Type::Gauge,
          "1 when the device's last poll cycle brought values, 0 when it did not or the "
          "device has not started.",
          device, up_ ? "1" : "0");
  out.Add("linkwatch_scrape_errors", MetricSet::Type::Counter,
          "Failed starts, walks that ended early and poll cycles that got no answer.", device,
          std::to_string(scrapeErrors_));
  if (!started_) return;
  out.Add("linkwatch_snmp_version", MetricSet::Type::Gauge,
          "The SNMP version in use (1, 2 for SNMPv2c, 3).", device,
          std::to_string(control_->SNMPVersion()));
  if (cyclesEnded_ > 0) {
    out.Add("linkwatch_last_cycle_duration_seconds", MetricSet::Type::Gauge,
            "How long the last poll cycle took, from its first request to its end.", device,
            MetricSet::Number(lastCycleSeconds_).value_or("0"));
    out.Add("linkwatch_last_cycle_requests", MetricSet::Type::Gauge,
            "SNMP requests the last poll cycle sent.", device,
            std::to_string(lastCycleRequests_));
  }
  if (!up_) return;
  const double upTime =
      control_->SysUpTime() +
      std::chrono::duration<double>(std::chrono::steady_clock::now() - startedAt_).count();
  out.Add("linkwatch_sysUpTime_seconds", MetricSet::Type::Gauge,
          "The device's up-time (sysUpTime at the start, counted on since).", device,
          MetricSet::Number(static_cast<double>(static_cast<int64_t>(upTime))).value_or("0"));
  out.Add("linkwatch_device", MetricSet::Type::Info, "What the device says about itself.",
          {{"device", config_.Name},
           {"address", control_->IP()},
           {"sysName", control_->SysName()},
           {"sysDescr", control_->SysDescr()},
           {"sysObjectID", control_->SystemOID()},
           {"vendor", control_->Vendor()},
           {"machine_type", control_->MachineType()}},
          "1");
}

}  // namespace linkwatch::exporter
