#pragma once
#include <chrono>
#include <fstream>
#include <regex>
#include <string>

#include "support/BackgroundProcess.h"
#include "support/Files.h"
#include "support/HttpGet.h"

namespace linkwatch::exporter::testing_program {

// The built linkwatch-exporter, run beside a test with a configuration the test
// gives (its "listen" is filled in: 127.0.0.1 and a port the program picks).
class RunningExporter {
 public:
  // devicesJson: the JSON array of devices.
  bool Start(const std::string& devicesJson) {
    if (!scratch_.Error().empty()) {
      error_ = scratch_.Error();
      return false;
    }
    const std::string config = scratch_.Path() + "/exporter.json";
    std::ofstream(config) << "{\"listen\": \"127.0.0.1:0\", \"devices\": " << devicesJson << "}\n";
    if (!process_.Start({LINKWATCH_EXPORTER_PROGRAM, "--config", config},
                        scratch_.Path() + "/exporter.log")) {
      error_ = "linkwatch-exporter could not be started";
      return false;
    }
    const std::regex serving("serving http://127\\.0\\.0\\.1:([0-9]+)/metrics");
    std::smatch match;
    support::PollUntil(
        [&] {
          const std::string log = process_.Output();
          if (std::regex_search(log, match, serving)) port_ = std::stoi(match[1].str());
          return port_ > 0 || !process_.Running();
        },
        std::chrono::seconds(30), std::chrono::milliseconds(50));
    if (port_ == 0) error_ = "linkwatch-exporter did not start serving:\n" + process_.Output();
    return port_ > 0;
  }

  // /metrics in Prometheus' text format (what promtool reads).
  support::HttpAnswer Metrics() const { return support::HttpGet(port_, "/metrics"); }

  int Port() const { return port_; }
  const std::string& Error() const { return error_; }
  std::string Log() const { return process_.Output(); }
  const std::string& Directory() const { return scratch_.Path(); }
  // The running program (the benchmark reads its memory and CPU time).
  const support::BackgroundProcess& Process() const { return process_; }

 private:
  support::TemporaryDirectory scratch_{"linkwatch-exporter"};
  support::BackgroundProcess process_;
  int port_ = 0;
  std::string error_;
};

}  // namespace linkwatch::exporter::testing_program
