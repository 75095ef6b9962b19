// linkwatch-exporter against real parts: snmpsim's simulated 48-port switch (octet
// counters growing at known rates), a real Prometheus server that scrapes the
// exporter, and Prometheus' own promtool.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "RunningExporter.h"
#include "support/AgentProcess.h"
#include "support/BackgroundProcess.h"
#include "support/FaultLink.h"
#include "support/HttpGet.h"
#include "support/SnmpsimAgent.h"

namespace linkwatch::exporter {
namespace {

using testing_program::RunningExporter;
namespace support = linkwatch::support;

constexpr const char* kSwitch = "switch48";

support::SnmpsimAgent& Simulator() {
  static support::SnmpsimAgent agent([] {
    support::SnmpsimOptions options;
    options.Recordings = {kSwitch};
    return options;
  }());
  static const bool started = agent.Start();
  (void)started;
  return agent;
}

// One device of the exporter's configuration at this port of loopback, asked once
// per request (no retries), with more settings.
std::string Device(const std::string& name, int port, const std::string& community,
                   const std::string& more) {
  return "{\"name\": \"" + name + "\", \"target\": \"127.0.0.1\", \"port\": " +
         std::to_string(port) + ", \"community\": \"" + community + "\", \"retries\": 0, " +
         more + "}";
}

std::string Program(const std::string& name) {
  return support::AgentProcess::FindProgram(name, {}, {"/usr/bin", "/usr/local/bin"});
}

// A Prometheus server on loopback that scrapes one target every second, with its
// storage in a folder of its own.
class PrometheusServer {
 public:
  bool Start(int targetPort) {
    const std::string binary = Program("prometheus");
    if (binary.empty()) {
      error_ = "prometheus is not installed (Debian package prometheus; ./linkwatch.sh deps)";
      return false;
    }
    const std::string config = scratch_.Path() + "/prometheus.yml";
    std::ofstream(config) << "global:\n  scrape_interval: 1s\n  scrape_timeout: 1s\n"
                          << "scrape_configs:\n  - job_name: linkwatch\n    static_configs:\n"
                          << "      - targets: ['127.0.0.1:" << targetPort << "']\n";
    // Another program may take the free port first: then try another one.
    for (int attempt = 0; attempt < 3; ++attempt) {
      port_ = support::FreeTcpPort();
      process_.Start({binary, "--config.file=" + config,
                      "--storage.tsdb.path=" + scratch_.Path() + "/data",
                      "--web.listen-address=127.0.0.1:" + std::to_string(port_)},
                     scratch_.Path() + "/prometheus.log");
      const bool ready = support::PollUntil(
          [&] {
            return !process_.Running() || support::HttpGet(port_, "/-/ready").Status == 200;
          },
          std::chrono::seconds(60));
      if (ready && process_.Running()) return true;
      process_.Stop();
    }
    error_ = "prometheus did not become ready:\n" + process_.Output();
    return false;
  }

  // The "data.result" array of an instant query at `time` (seconds; empty: now).
  QJsonArray Query(const std::string& promql, const std::string& time = {}) const {
    std::string target = "/api/v1/query?query=" + support::UrlEncode(promql);
    if (!time.empty()) target += "&time=" + time;
    const support::HttpAnswer answer = support::HttpGet(port_, target);
    const QJsonObject document =
        QJsonDocument::fromJson(QByteArray::fromStdString(answer.Body)).object();
    return document.value("data").toObject().value("result").toArray();
  }

  const std::string& Error() const { return error_; }
  std::string Log() const { return process_.Output(); }

 private:
  support::TemporaryDirectory scratch_{"linkwatch-prometheus"};
  support::BackgroundProcess process_;
  int port_ = 0;
  std::string error_;
};

// Runs promtool check metrics on text; its exit code and what it said.
std::pair<int, std::string> Promtool(const std::string& text, const std::string& folder) {
  const std::string input = folder + "/metrics.txt";
  const std::string said = folder + "/promtool.txt";
  std::ofstream(input) << text;
  const std::string command =
      Program("promtool") + " check metrics < '" + input + "' > '" + said + "' 2>&1";
  const int status = std::system(command.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, support::ReadFile(said)};
}

class ExporterWithRealParts : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Simulator().Running()) << Simulator().Error(); }

  // Starts the exporter with these devices and waits until /metrics shows what.
  void StartExporter(const std::string& devices, const std::string& what) {
    ASSERT_TRUE(exporter.Start("[" + devices + "]")) << exporter.Error();
    ASSERT_TRUE(WaitForMetrics(what));
  }

  // Reads /metrics into text until it shows what (or the deadline passes).
  ::testing::AssertionResult WaitForMetrics(const std::string& what) {
    if (support::PollUntil(
            [&] {
              text = exporter.Metrics().Body;
              return text.find(what) != std::string::npos;
            },
            std::chrono::seconds(30))) {
      return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no " << what << " in\n" << text << exporter.Log();
  }

  RunningExporter exporter;
  std::string text;  // /metrics as last read
};

// promtool reads the exporter's whole output (every statistic kind: counters,
// gauges, texts as info labels; a device that never answers) and finds nothing
// wrong but the names taken from the MIB (ifHCInOctets, ifIndex), which are in
// camel case on purpose: they are the objects' names. Prometheus scrapes the
// exporter and computes the rate of every interface's ifHCInOctets from the raw
// counters; it matches the simulated traffic within 1 % (a counter's time is its
// reply's arrival, which lags the simulator's reading by the event loop's delay: tens
// of ms on a loaded machine, against a window of 15 s).
TEST_F(ExporterWithRealParts, PromtoolAndPrometheusReadTheMetricsAndTheRatesMatch) {
  ASSERT_FALSE(Program("promtool").empty()) << "promtool is not installed (Debian: prometheus)";
  ASSERT_NO_FATAL_FAILURE(StartExporter(
      Device(kSwitch, Simulator().Port(), kSwitch,
             "\"interval\": 5, \"timeout_ms\": 300, \"statistics\": [\"Interface Name\", "
             "\"Interface Status\", \"Interface Type\", \"MAC Address\", \"Speed\", "
             "\"In Traffic 64\", \"In Octets\", \"In Errors\"]") + ", " +
          Device("silent", Simulator().Port(), "nobody-answers-this", "\"timeout_ms\": 100"),
      "linkwatch_up{device=\"switch48\"} 1"));
  EXPECT_NE(text.find("linkwatch_up{device=\"silent\"} 0"), std::string::npos) << text;
  EXPECT_EQ(text.find("ifIndex=\"1\",ifDescr=\"\""), std::string::npos) << "every row has its ifDescr";
  EXPECT_NE(text.find("linkwatch_interface_info{device=\"switch48\",ifIndex=\"7\",ifDescr="
                      "\"GigabitEthernet0/7\",interface_name=\"GigabitEthernet0/7\","
                      "interface_status=\"Up\""),
            std::string::npos)
      << text;
  const auto [code, said] = Promtool(text, exporter.Directory());
  EXPECT_TRUE(code == 0 || code == 3) << "promtool could not read the output (" << code << "):\n" << said;
  std::istringstream lines(said);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_NE(line.find("should be written in 'snake_case' not 'camelCase'"), std::string::npos) << line;
  }

  PrometheusServer prometheus;
  ASSERT_TRUE(prometheus.Start(exporter.Port())) << prometheus.Error();

  // Four polls of the device (5 s apart), each counter carrying the time its reply
  // arrived, and scraped at least twice each.
  QJsonArray samples;
  const bool enough = support::PollUntil(
      [&] {
        const QJsonArray series =
            prometheus.Query("linkwatch_ifHCInOctets_total{ifIndex=\"1\"}[2m]");
        samples = series.isEmpty() ? QJsonArray()
                                   : series[0].toObject().value("values").toArray();
        return samples.size() >= 4;
      },
      std::chrono::seconds(60), std::chrono::milliseconds(500));
  ASSERT_TRUE(enough) << "Prometheus holds " << samples.size()
                      << " samples\nexporter:\n" << exporter.Log() << "\nprometheus:\n"
                      << prometheus.Log();
  const auto sampleTime = [&](qsizetype i) { return samples[i].toArray()[0].toDouble(); };
  const double first = sampleTime(0);
  const double last = sampleTime(samples.size() - 1);
  ASSERT_GE(last - first, 9.0) << "samples of polls 5 s apart";

  // The window holds exactly the samples from the first to the last poll, so the
  // rate is the counters' growth over that time.
  const long long windowMs = std::llround((last - first) * 1000) + 1;
  char at[32];
  std::snprintf(at, sizeof at, "%.3f", last);
  const QJsonArray rates = prometheus.Query(
      "rate(linkwatch_ifHCInOctets_total{device=\"switch48\"}[" + std::to_string(windowMs) +
          "ms])",
      at);
  std::map<int, double> measured;
  for (const QJsonValue& entry : rates) {
    const QJsonObject object = entry.toObject();
    const int ifIndex = object.value("metric").toObject().value("ifIndex").toString().toInt();
    measured[ifIndex] = object.value("value").toArray()[1].toString().toDouble();
  }
  const auto expected = Simulator().InterfaceRates(kSwitch);
  ASSERT_EQ(expected.size(), 50u);
  ASSERT_EQ(measured.size(), expected.size()) << "one rate per interface";
  for (const support::SimulatedInterfaceRate& rate : expected) {
    EXPECT_NEAR(measured[rate.IfIndex], rate.InOctetsPerSecond, 0.01 * rate.InOctetsPerSecond)
        << "ifIndex " << rate.IfIndex;
  }
}

// Once the link to the device is cut, the device is shown with up 0 and none of its
// old values: its next poll cycle (the control's second, seven seconds after the
// start) ends without answers, and nothing stale stays in /metrics.
TEST_F(ExporterWithRealParts, ADeviceThatFallsSilentLeavesNoStaleValues) {
  support::FaultLink link(Simulator().Port());
  ASSERT_TRUE(link.Start()) << link.Error();
  ASSERT_NO_FATAL_FAILURE(StartExporter(
      Device("slow", link.Port(), kSwitch,
             "\"interval\": 60, \"timeout_ms\": 2000, "
             "\"statistics\": [\"Interface Name\", \"In Traffic 64\"]"),
      "linkwatch_up{device=\"slow\"} 1"));
  ASSERT_NE(text.find("linkwatch_ifHCInOctets_total{device=\"slow\""), std::string::npos) << text;

  support::LinkFaults cut;
  cut.Cut = true;
  link.SetFaults(support::LinkDirection::ToAgent, cut);
  ASSERT_TRUE(WaitForMetrics("linkwatch_up{device=\"slow\"} 0"));
  EXPECT_EQ(text.find("linkwatch_ifHCInOctets_total{device=\"slow\""), std::string::npos) << text;
  EXPECT_EQ(text.find("linkwatch_interface_info{device=\"slow\""), std::string::npos) << text;
  EXPECT_EQ(text.find("linkwatch_scrape_errors_total{device=\"slow\"} 0"), std::string::npos)
      << "the failed walks are counted";
}

}  // namespace
}  // namespace linkwatch::exporter
