// exporter_bench: does one linkwatch-exporter poll its devices at the same time?
// It runs the exporter first with 1 device, then with N (100) devices, each of
// 49 interfaces, behind FaultLinks that delay every datagram (20 ms each way), so
// that a device's poll cycle costs its round trips, as over a real network. If
// the exporter polls concurrently, a round of N devices lasts about as long as
// the slowest device; if it polled one after another, it would last the sum of
// N single-device cycles. It prints both with their ratios, what bounded the
// cycles (round trips, the agent's CPU or the exporter's), requests per cycle,
// scrape latency and size, resident memory and CPU time.
//
//   build/bench/exporter_bench [--devices 100] [--interval 10] [--delay 20]
//
// The agent is net-snmp's snmpd (C, thousands of requests a second), serving one
// set of 49 interfaces to every device: the benchmark moves into a private
// network namespace (it needs CAP_SYS_ADMIN, as root in a container) and makes 24
// veth pairs there, so snmpd sees lo plus 48 interfaces whatever the machine has.
// Without the namespace it says so and uses this machine's interfaces. The
// devices start with no delay (so their timers, and their rounds, begin close
// together); then the delay is switched on and one whole round is measured.
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "RunningExporter.h"
#include "support/BackgroundProcess.h"
#include "support/FaultLink.h"
#include "support/HttpGet.h"
#include "support/SnmpdAgent.h"

namespace {

namespace support = linkwatch::support;
using Clock = std::chrono::steady_clock;
constexpr int kDevicesPerLink = 20;  // a FaultLink keeps at most 32 client addresses

// 24 veth pairs in a network namespace of our own: snmpd then serves 49 interfaces.
bool PrivateInterfaces() {
  if (::unshare(CLONE_NEWNET) != 0) return false;
  if (std::system("ip link set lo up") != 0) return false;
  for (int i = 1; i <= 24; ++i) {
    const std::string add = "ip link add lwa" + std::to_string(i) + " type veth peer name lwb" +
                            std::to_string(i);
    if (std::system(add.c_str()) != 0) return false;
  }
  return true;
}

double CpuSeconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (stat.rfind(')') == std::string::npos) return 0;
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14 || i == 15) ticks += std::stod(field);  // utime, stime
  }
  return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::string ResidentMemory(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return line.substr(line.find_first_not_of(" \t", 6));
  }
  return "?";
}

// One line of a text-format scrape: its device label, value and time (ms; 0: none).
struct Sample {
  double Value = 0;
  long long TimeMs = 0;
};
// The first sample of every device whose line starts with prefix.
std::map<std::string, Sample> PerDevice(const std::string& text, const std::string& prefix) {
  std::map<std::string, Sample> samples;
  std::istringstream lines(text);
  std::string line;
  const std::string label = "{device=\"";
  while (std::getline(lines, line)) {
    if (line.rfind(prefix, 0) != 0) continue;
    const size_t at = line.find(label);
    const size_t close = line.rfind('}');
    if (at == std::string::npos || close == std::string::npos) continue;
    const size_t nameStart = at + label.size();
    const std::string device = line.substr(nameStart, line.find('"', nameStart) - nameStart);
    std::istringstream rest(line.substr(close + 1));
    Sample sample;
    rest >> sample.Value >> sample.TimeMs;
    samples.emplace(device, sample);
  }
  return samples;
}

// Each device's last completed cycle, in seconds of the system clock.
struct Cycle {
  double Start = 0, End = 0, Requests = 0;
};
std::vector<Cycle> LastCycles(const std::string& text) {
  const auto durations = PerDevice(text, "linkwatch_last_cycle_duration_seconds{");
  const auto requests = PerDevice(text, "linkwatch_last_cycle_requests{");
  const auto ends = PerDevice(text, "linkwatch_ifHCInOctets_total{");  // time: the cycle's end
  std::vector<Cycle> cycles;
  for (const auto& [device, end] : ends) {
    if (durations.count(device) == 0 || end.TimeMs == 0) continue;
    const double endSeconds = static_cast<double>(end.TimeMs) / 1000.0;
    const auto sent = requests.find(device);
    cycles.push_back({endSeconds - durations.at(device).Value, endSeconds,
                      sent == requests.end() ? 0 : sent->second.Value});
  }
  return cycles;
}

double SystemNow() {
  return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch())
      .count();
}

struct Round {
  bool Ok = false;
  std::string Error;
  double StartUp = 0;                   // seconds until every device was up (no delay)
  double Slowest = 0, Mean = 0, Sum = 0;  // cycle times
  double Span = 0;                      // first cycle's start to last cycle's end
  double StartSpread = 0;               // first to last cycle start
  int PeakAtOnce = 0;
  double Requests = 0;                  // per cycle, mean
  int Interfaces = 0;                   // of the first device
  double RequestsPerAgentCpuSecond = 0;  // the agent's capacity
  double ExporterCpu = 0, AgentCpu = 0, Window = 0;
  double ScrapeMinMs = 0, ScrapeMeanMs = 0, ScrapeMaxMs = 0;
  size_t ScrapeBytes = 0;
  std::string Memory;
};

// One exporter with `devices` devices through delayed links to the agent; one
// whole round measured after the delay is switched on.
Round MeasureRound(int devices, int interval, int delayMs, int agentPort, pid_t agentPid) {
  Round round;
  std::vector<std::unique_ptr<support::FaultLink>> links;
  std::string json = "[";
  for (int i = 0; i < devices; ++i) {
    if (i % kDevicesPerLink == 0) {
      links.push_back(std::make_unique<support::FaultLink>(agentPort));
      if (!links.back()->Start()) {
        round.Error = "FaultLink: " + links.back()->Error();
        return round;
      }
    }
    char name[16];
    std::snprintf(name, sizeof name, "dev%03d", i);
    json += std::string(i > 0 ? "," : "") + "{\"name\": \"" + name +
            "\", \"target\": \"127.0.0.1\", \"port\": " + std::to_string(links.back()->Port()) +
            ", \"interval\": " + std::to_string(interval) + ", \"timeout_ms\": 2000}";
  }
  json += "]";

  linkwatch::exporter::testing_program::RunningExporter exporter;
  const auto started = Clock::now();
  if (!exporter.Start(json)) {
    round.Error = exporter.Error();
    return round;
  }
  const pid_t pid = exporter.Process().Pid();
  const bool allUp = support::PollUntil(
      [&] {
        const auto up = PerDevice(exporter.Metrics().Body, "linkwatch_up{");
        return std::count_if(up.begin(), up.end(),
                             [](const auto& e) { return e.second.Value == 1; }) == devices;
      },
      std::chrono::seconds(120), std::chrono::milliseconds(250));
  if (!allUp) {
    round.Error = "not every device came up within 120 s";
    return round;
  }
  round.StartUp = std::chrono::duration<double>(Clock::now() - started).count();

  support::LinkFaults late;
  late.Delay = std::chrono::milliseconds(delayMs);
  for (auto& link : links) {
    link->SetFaults(support::LinkDirection::ToAgent, late);
    link->SetFaults(support::LinkDirection::ToClient, late);
    link->ResetCounts();
  }
  const double delayedFrom = SystemNow();
  const auto windowFrom = Clock::now();
  const double exporterCpuBefore = CpuSeconds(pid);
  const double agentCpuBefore = CpuSeconds(agentPid);

  // Wait for one whole round with the delay: every device's last cycle began
  // after the switch, all in the same round (they began less than half an
  // interval apart). The first look comes when a round should be over, so few
  // scrapes (each of several MB) load the exporter meanwhile.
  std::string text;
  std::vector<Cycle> cycles;
  support::PollUntil([&] { return Clock::now() >= windowFrom + std::chrono::milliseconds(1500 * interval); },
                     std::chrono::seconds(interval * 2), std::chrono::milliseconds(250));
  const bool measured = support::PollUntil(
      [&] {
        text = exporter.Metrics().Body;
        cycles = LastCycles(text);
        if (static_cast<int>(cycles.size()) != devices) return false;
        double first = 1e300, last = 0;
        for (const Cycle& c : cycles) {
          first = std::min(first, c.Start);
          last = std::max(last, c.Start);
        }
        return first >= delayedFrom && last - first < interval / 2.0;
      },
      std::chrono::seconds(interval * 4), std::chrono::milliseconds(1000));
  if (!measured) {
    round.Error = "no whole round with the delay was seen";
    return round;
  }
  round.Window = std::chrono::duration<double>(Clock::now() - windowFrom).count();
  round.ExporterCpu = CpuSeconds(pid) - exporterCpuBefore;
  round.AgentCpu = CpuSeconds(agentPid) - agentCpuBefore;
  uint64_t requestsSeen = 0;
  for (const auto& link : links) requestsSeen += link->RequestsSeen();
  round.RequestsPerAgentCpuSecond =
      round.AgentCpu > 0 ? static_cast<double>(requestsSeen) / round.AgentCpu : 0;

  double first = 1e300, lastEnd = 0, lastStart = 0;
  std::vector<std::pair<double, int>> edges;  // +1 at a start, -1 at an end
  for (const Cycle& c : cycles) {
    const double time = c.End - c.Start;
    round.Slowest = std::max(round.Slowest, time);
    round.Sum += time;
    round.Requests += c.Requests / devices;
    first = std::min(first, c.Start);
    lastStart = std::max(lastStart, c.Start);
    lastEnd = std::max(lastEnd, c.End);
    edges.emplace_back(c.Start, 1);
    edges.emplace_back(c.End, -1);
  }
  std::sort(edges.begin(), edges.end());
  int running = 0;
  for (const auto& [time, change] : edges) {
    running += change;
    round.PeakAtOnce = std::max(round.PeakAtOnce, running);
  }
  round.Mean = round.Sum / devices;
  round.Span = lastEnd - first;
  round.StartSpread = lastStart - first;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    round.Interfaces += line.rfind("linkwatch_interface_info{device=\"dev000\"", 0) == 0;
  }

  std::vector<double> latencies;
  for (int i = 0; i < 10; ++i) {
    const auto before = Clock::now();
    const auto answer = support::HttpGet(exporter.Port(), "/metrics",
                                         {{"Accept", "application/openmetrics-text"}});
    latencies.push_back(std::chrono::duration<double, std::milli>(Clock::now() - before).count());
    round.ScrapeBytes = answer.Body.size();
  }
  round.ScrapeMinMs = *std::min_element(latencies.begin(), latencies.end());
  round.ScrapeMaxMs = *std::max_element(latencies.begin(), latencies.end());
  for (double ms : latencies) round.ScrapeMeanMs += ms / static_cast<double>(latencies.size());
  round.Memory = ResidentMemory(pid);
  round.Ok = true;
  return round;
}

void Row(const char* what, const std::string& one, const std::string& many) {
  std::printf("  %-38s %-16s %s\n", what, one.c_str(), many.c_str());
}
std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  int devices = 100;
  int interval = 10;
  int delayMs = 20;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--devices") devices = std::clamp(std::atoi(argv[i + 1]), 2, 600);
    if (option == "--interval") interval = std::clamp(std::atoi(argv[i + 1]), 5, 300);
    if (option == "--delay") delayMs = std::clamp(std::atoi(argv[i + 1]), 0, 1000);
  }
  const bool privateInterfaces = PrivateInterfaces();

  support::SnmpdAgent agent;
  if (!agent.Start()) {
    std::fprintf(stderr, "exporter_bench: snmpd did not start: %s\n", agent.Error().c_str());
    return 1;
  }
  pid_t agentPid = 0;
  std::ifstream(agent.Directory() + "/snmpd.pid") >> agentPid;

  const Round one = MeasureRound(1, interval, delayMs, agent.Port(), agentPid);
  if (!one.Ok) {
    std::fprintf(stderr, "exporter_bench: 1 device: %s\n", one.Error.c_str());
    return 1;
  }
  const Round many = MeasureRound(devices, interval, delayMs, agent.Port(), agentPid);
  if (!many.Ok) {
    std::fprintf(stderr, "exporter_bench: %d devices: %s\n", devices, many.Error.c_str());
    return 1;
  }

  std::printf("exporter_bench: devices of %d interfaces (%s), 12 statistics, interval %d s,\n"
              "  %d ms each way on every datagram (FaultLink), agent: one snmpd\n",
              one.Interfaces,
              privateInterfaces ? "snmpd in a private network namespace, lo + 24 veth pairs"
                                : "this machine's interfaces: no private network namespace",
              interval, delayMs);
  const std::string manyName = std::to_string(devices) + " devices";
  Row("", "1 device", manyName);
  Row("start-up until all up (no delay)", Format("%.1f s", one.StartUp),
      Format("%.1f s", many.StartUp));
  Row("cycle time, slowest device", Format("%.3f s", one.Slowest), Format("%.3f s", many.Slowest));
  Row("cycle time, mean", Format("%.3f s", one.Mean), Format("%.3f s", many.Mean));
  Row("requests per cycle (mean)", Format("%.1f", one.Requests), Format("%.1f", many.Requests));
  Row("round: first request to last answer", Format("%.3f s", one.Span),
      Format("%.3f s", many.Span));
  Row("  of which the cycles' start spread", Format("%.3f s", one.StartSpread),
      Format("%.3f s", many.StartSpread));
  Row("cycles running at once (peak)", Format("%.0f", one.PeakAtOnce),
      Format("%.0f", many.PeakAtOnce));
  Row("sum of the round's cycle times", Format("%.3f s", one.Sum), Format("%.1f s", many.Sum));
  Row("scrape latency min/mean/max (ms)",
      Format("%.1f", one.ScrapeMinMs) + Format("/%.1f", one.ScrapeMeanMs) +
          Format("/%.1f", one.ScrapeMaxMs),
      Format("%.1f", many.ScrapeMinMs) + Format("/%.1f", many.ScrapeMeanMs) +
          Format("/%.1f", many.ScrapeMaxMs));
  Row("scrape size (OpenMetrics)", Format("%.0f kB", one.ScrapeBytes / 1000.0),
      Format("%.0f kB", many.ScrapeBytes / 1000.0));
  Row("resident memory", one.Memory, many.Memory);
  Row("exporter CPU while measured", Format("%.2f s", one.ExporterCpu) + Format(" in %.0f s", one.Window),
      Format("%.2f s", many.ExporterCpu) + Format(" in %.0f s", many.Window));
  Row("agent CPU while measured", Format("%.2f s", one.AgentCpu),
      Format("%.2f s", many.AgentCpu));

  const double sumOfSingles = devices * one.Slowest;
  const double roundTrip = 2.0 * delayMs / 1000.0;
  // The agent's share at the round's peak: the requests per second of the cycles
  // running at once, over what it answers per CPU second.
  const double agentDemand = many.Mean > 0 ? many.PeakAtOnce * many.Requests / many.Mean : 0;
  const double agentBusy =
      many.RequestsPerAgentCpuSecond > 0 ? agentDemand / many.RequestsPerAgentCpuSecond : 0;
  std::printf("ratios:\n");
  std::printf("  slowest cycle, %d devices / 1 device            %.2f  (1: no device waits for another)\n",
              devices, many.Slowest / one.Slowest);
  std::printf("  round of %d devices / sum of %d 1-device cycles %.3f  (%.3f s / %.1f s; 1: one after another)\n",
              devices, devices, many.Span / sumOfSingles, many.Span, sumOfSingles);
  std::printf("  round of %d devices / slowest cycle              %.2f  (the rest is the start spread)\n",
              devices, many.Span / many.Slowest);
  std::printf("limit:\n");
  std::printf("  a 1-device cycle lasts %.1f round trips of %.0f ms for its %.0f requests, which\n"
              "  go one after another: a device's cycle is bound by its round trips\n",
              roundTrip > 0 ? one.Slowest / roundTrip : 0, roundTrip * 1000, one.Requests);
  std::printf("  agent: answers %.0f requests per CPU second; at the peak it was asked %.0f/s:"
              " busy %.0f %%\n",
              many.RequestsPerAgentCpuSecond, agentDemand, 100 * agentBusy);
  std::printf("  exporter: %.0f %% of one core over the measured %.0f s (scrapes included)\n",
              100 * many.ExporterCpu / many.Window, many.Window);
  const bool agentBound = agentBusy > 0.7;
  const bool exporterBound = many.Slowest > 1.5 * one.Slowest && !agentBound;
  std::printf("  so the cycles were bound by %s\n",
              agentBound      ? "the agent's CPU"
              : exporterBound ? "something else than the agent (the exporter or a busy machine)"
                              : "round trips: neither the agent nor the exporter was the limit");
  return 0;
}
