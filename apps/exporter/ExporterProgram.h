#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace linkwatch::exporter {

// linkwatch-exporter's whole run: reads the command line and the configuration,
// makes one DeviceMonitor per device, serves /metrics and runs the event loop
// until SIGINT or SIGTERM. Exit codes: 0 done, 2 usage or configuration error
// (nothing started), 3 the listen address cannot be listened on.
class ExporterProgram {
 public:
  ExporterProgram(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  int Main(const std::vector<std::string>& args);

 private:
  int Usage(const std::string& problem);

  std::ostream& out_;
  std::ostream& err_;
};

}  // namespace linkwatch::exporter
