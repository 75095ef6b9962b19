// exporter_bench: one linkwatch-exporter watching 100 simulated 48-port switches
// (snmpsim serving switch48's recording under 100 community names), and what it
// costs: start-up until every device is up, cycle time and requests per device
// and cycle, scrape latency and size, resident memory and CPU time.
//
//   build/bench/exporter_bench [--devices N] [--interval SECONDS] [--seconds S]
//
// The simulator is one Python process answering every device, so the cycle times
// mostly show how long it takes to answer; the exporter's own share is its CPU time.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "RunningExporter.h"
#include "support/BackgroundProcess.h"
#include "support/Files.h"
#include "support/HttpGet.h"
#include "support/SnmpsimAgent.h"

namespace {

namespace fs = std::filesystem;
namespace support = linkwatch::support;
using Clock = std::chrono::steady_clock;

// The per-device values of one metric family in a text-format scrape.
std::map<std::string, double> PerDevice(const std::string& text, const std::string& family) {
  std::map<std::string, double> values;
  const std::regex line("(^|\n)" + family + "\\{device=\"([^\"]+)\"\\} ([0-9.eE+-]+)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), line);
       it != std::sregex_iterator(); ++it) {
    values[(*it)[2].str()] = std::stod((*it)[3].str());
  }
  return values;
}

struct Figures {
  double Min = 0, Mean = 0, Max = 0, Sum = 0;
};
Figures Summarise(std::vector<double> values) {
  Figures f;
  if (values.empty()) return f;
  std::sort(values.begin(), values.end());
  f.Min = values.front();
  f.Max = values.back();
  f.Sum = std::accumulate(values.begin(), values.end(), 0.0);
  f.Mean = f.Sum / static_cast<double>(values.size());
  return f;
}

std::string ProcField(pid_t pid, const std::string& file, const std::string& key) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) == 0) return line.substr(key.size());
  }
  return {};
}

double CpuSeconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14 || i == 15) ticks += std::stod(field);  // utime, stime
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int argc, char** argv) {
  int devices = 100;
  int interval = 10;
  int seconds = 40;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--devices") devices = std::max(1, std::atoi(argv[i + 1]));
    if (option == "--interval") interval = std::clamp(std::atoi(argv[i + 1]), 5, 300);
    if (option == "--seconds") seconds = std::clamp(std::atoi(argv[i + 1]), 10, 600);
  }

  // One recording served under as many community names as there are devices.
  support::TemporaryDirectory recordings("linkwatch-bench-recordings");
  const fs::path source =
      fs::path(support::SnmpsimAgent::DefaultRecordingsDirectory()) / "switch48.snmprec";
  std::vector<std::string> names;
  for (int i = 0; i < devices; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "sw%03d", i);
    names.push_back(name);
    fs::copy_file(source, fs::path(recordings.Path()) / (std::string(name) + ".snmprec"));
  }
  support::SnmpsimOptions options;
  options.RecordingsDirectory = recordings.Path();
  options.Recordings = names;
  options.StartDeadline = std::chrono::seconds(300);
  support::SnmpsimAgent agent(options);
  if (!agent.Start()) {
    std::fprintf(stderr, "exporter_bench: snmpsim did not start: %s\n", agent.Error().c_str());
    return 1;
  }

  std::string json = "[";
  for (const std::string& name : names) {
    if (json.size() > 1) json += ",";
    json += "{\"name\": \"" + name + "\", \"target\": \"127.0.0.1\", \"port\": " +
            std::to_string(agent.Port()) + ", \"community\": \"" + name +
            "\", \"interval\": " + std::to_string(interval) + ", \"timeout_ms\": 2000}";
  }
  json += "]";
  linkwatch::exporter::testing_program::RunningExporter exporter;
  const auto started = Clock::now();
  if (!exporter.Start(json)) {
    std::fprintf(stderr, "exporter_bench: %s\n", exporter.Error().c_str());
    return 1;
  }

  std::string text;
  const bool allUp = support::PollUntil(
      [&] {
        text = exporter.Metrics().Body;
        const auto up = PerDevice(text, "linkwatch_up");
        return std::count_if(up.begin(), up.end(), [](const auto& e) { return e.second == 1; }) ==
               devices;
      },
      std::chrono::seconds(seconds * 3), std::chrono::milliseconds(250));
  const double startUp = std::chrono::duration<double>(Clock::now() - started).count();

  // Let every device poll a few more times, then measure.
  const auto measureFrom = Clock::now() + std::chrono::seconds(seconds);
  support::PollUntil([&] { return Clock::now() >= measureFrom; }, std::chrono::seconds(seconds + 1),
                     std::chrono::milliseconds(500));
  std::vector<double> latencies;
  size_t bytes = 0;
  for (int i = 0; i < 20; ++i) {
    const auto before = Clock::now();
    const auto answer = support::HttpGet(exporter.Port(), "/metrics",
                                         {{"Accept", "application/openmetrics-text"}});
    latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
    bytes = answer.Body.size();
    if (i == 0) text = exporter.Metrics().Body;
  }

  std::vector<double> cycleTimes;
  std::vector<double> requests;
  for (const auto& [device, value] : PerDevice(text, "linkwatch_last_cycle_duration_seconds")) {
    cycleTimes.push_back(value);
  }
  for (const auto& [device, value] : PerDevice(text, "linkwatch_last_cycle_requests")) {
    requests.push_back(value);
  }
  const auto up = PerDevice(text, "linkwatch_up");
  const long devicesUp =
      std::count_if(up.begin(), up.end(), [](const auto& e) { return e.second == 1; });
  const pid_t pid = exporter.Process().Pid();
  const double elapsed = std::chrono::duration<double>(Clock::now() - started).count();
  const Figures cycle = Summarise(cycleTimes);
  const Figures request = Summarise(requests);
  const Figures latency = Summarise(latencies);

  std::printf("exporter_bench: %d devices (switch48: 50 interfaces), interval %d s, 12 statistics\n",
              devices, interval);
  std::printf("  devices up                  %ld of %d%s\n", devicesUp, devices,
              allUp ? "" : " (not all came up in time)");
  std::printf("  start-up until all up       %.1f s\n", startUp);
  std::printf("  cycle time per device       min %.3f  mean %.3f  max %.3f s (sum %.1f s)\n",
              cycle.Min, cycle.Mean, cycle.Max, cycle.Sum);
  std::printf("  requests per cycle          min %.0f  mean %.1f  max %.0f\n", request.Min,
              request.Mean, request.Max);
  std::printf("  scrape latency (20 scrapes) min %.1f  mean %.1f  max %.1f ms, %zu bytes\n",
              latency.Min, latency.Mean, latency.Max, bytes);
  std::printf("  resident memory             %s\n",
              ProcField(pid, "status", "VmRSS:").c_str());
  std::printf("  exporter CPU time           %.2f s in %.0f s of wall time\n", CpuSeconds(pid),
              elapsed);
  return allUp ? 0 : 1;
}
