#include "ExporterProgram.h"

#include <QCoreApplication>
#include <QTimer>
#include <memory>
#include <ostream>

#include "ConfigFile.h"
#include "CountingPlatform.h"
#include "DeviceMonitor.h"
#include "InterruptSignals.h"
#include "MetricNaming.h"
#include "MetricsServer.h"
#include "StartQueue.h"
#include "common/Globals.h"
#include "common/TextFunctions.h"
#include "platform/host/HostPlatform.h"
#include "platform/qt/QtEventLoop.h"
#include "statistics/StatisticTemplate.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch::exporter {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitUsage = 2;
constexpr int kExitCannotListen = 3;

// How often the loop looks for cycles that ended without a Status event and for
// an interrupt.
constexpr int kCheckIntervalMs = 100;

constexpr const char* kUsage =
    "usage: linkwatch-exporter --config FILE [--check]\n"
    "  --config FILE   the JSON configuration (docs/exporter.md)\n"
    "  --check         check the configuration and exit\n"
    "  --help, --version\n";

// The first statistic name of a device that the statistics file does not define
// (or that reads nothing from the device), as "statistics[N]"; empty when all are known.
std::string UnknownStatistic(const DeviceConfig& device, const StatisticTemplates& templates) {
  const std::vector<std::string> names = Split(device.Statistics, ',');
  for (size_t i = 0; i < names.size(); ++i) {
    const auto definition = templates.Item(names[i]);
    if (!definition || definition->MIB() == StatisticTemplate::kEnableCheckbox) {
      return "statistics[" + std::to_string(i) + "]";
    }
  }
  return {};
}

}  // namespace

int ExporterProgram::Usage(const std::string& problem) {
  err_ << "linkwatch-exporter: " << problem << "\n" << kUsage;
  return kExitUsage;
}

int ExporterProgram::Main(const std::vector<std::string>& args) {
  std::string configPath;
  bool checkOnly = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--help") {
      out_ << kUsage;
      return kExitDone;
    }
    if (args[i] == "--version") {
      out_ << "linkwatch-exporter 0.1.0\n";
      return kExitDone;
    }
    if (args[i] == "--check") {
      checkOnly = true;
    } else if (args[i] == "--config" && i + 1 < args.size()) {
      configPath = args[++i];
    } else if (args[i].rfind("--config=", 0) == 0) {
      configPath = args[i].substr(9);
    } else {
      return Usage("unknown argument (argument " + std::to_string(i + 1) + ")");
    }
  }
  if (configPath.empty()) return Usage("--config FILE is needed");

  const ConfigFile::Result loaded = ConfigFile::Load(configPath);
  if (!loaded.Ok()) {
    err_ << "linkwatch-exporter: " << loaded.Error << "\n";
    return kExitUsage;
  }
  const ExporterConfig& config = loaded.Config;

  auto app = QtEventLoop::EnsureCoreApplication();
  auto platform = std::make_shared<CountingPlatform>(HostPlatform::Headless());
  Globals::Install(platform);
  const auto templates = Globals::Templates();
  if (templates->Count() == 0) {
    err_ << "linkwatch-exporter: the statistics file defines no statistics ("
         << templates->StatisticsFile() << ")\n";
    return kExitUsage;
  }
  for (size_t i = 0; i < config.Devices.size(); ++i) {
    const std::string unknown = UnknownStatistic(config.Devices[i], *templates);
    if (!unknown.empty()) {
      err_ << "linkwatch-exporter: "
           << loaded.ErrorAt("devices[" + std::to_string(i) + "]." + unknown,
                             "no such statistic in the statistics file")
           << "\n";
      return kExitUsage;
    }
  }
  if (checkOnly) {
    out_ << configPath << ": " << config.Devices.size() << " device(s), OK\n";
    return kExitDone;
  }

  apps::InterruptSignals interrupts;
  MetricNaming naming(*templates, platform->Mibs());
  std::vector<std::unique_ptr<DeviceMonitor>> devices;
  for (const DeviceConfig& device : config.Devices) {
    devices.push_back(std::make_unique<DeviceMonitor>(device, *platform, naming));
  }

  MetricsServer server([&devices](ExpositionFormat format) {
    MetricSet deviceMetrics;
    std::vector<const MetricSet*> sets = {&deviceMetrics};
    for (const auto& device : devices) {
      device->AddMetrics(deviceMetrics);
      if (const MetricSet* cycle = device->LastCycle()) sets.push_back(cycle);
    }
    return MetricSet::Render(sets, format);
  });
  const uint16_t port = server.Listen(config.ListenAddress, config.ListenPort);
  if (port == 0) {
    err_ << "linkwatch-exporter: cannot listen on " << config.ListenAddress << ":"
         << config.ListenPort << "\n";
    return kExitCannotListen;
  }
  err_ << "linkwatch-exporter: serving http://" << config.ListenAddress << ":" << port
       << "/metrics for " << devices.size() << " device(s)" << std::endl;

  StartQueue starts;
  for (const auto& device : devices) starts.Enqueue(*device);

  QTimer checks;
  QObject::connect(&checks, &QTimer::timeout, [&devices] {
    if (apps::InterruptSignals::Received()) {
      QCoreApplication::quit();
      return;
    }
    for (const auto& device : devices) device->Check();
  });
  checks.start(kCheckIntervalMs);
  QCoreApplication::exec();
  devices.clear();
  return kExitDone;
}

}  // namespace linkwatch::exporter
