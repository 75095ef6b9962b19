#pragma once
#include <QHttpServer>
#include <functional>
#include <string>

#include "MetricSet.h"

namespace linkwatch::exporter {

// The HTTP side, on the exporter's own event loop (Qt HTTP Server):
//   GET /metrics     every device's metrics, in OpenMetrics when the client's Accept
//                    header asks for application/openmetrics-text, otherwise in
//                    Prometheus' text format 0.0.4
//   GET /-/healthy   "OK" while the exporter runs
class MetricsServer {
 public:
  // Writes every device's metrics in a format.
  using Gather = std::function<std::string(ExpositionFormat)>;
  explicit MetricsServer(Gather gather);

  // The port listened on (the given one, or the one chosen for port 0); 0 when
  // the address cannot be listened on.
  uint16_t Listen(const std::string& address, uint16_t port);

  static ExpositionFormat FormatFor(const std::string& acceptHeader);

 private:
  Gather gather_;
  QHttpServer server_;
};

}  // namespace linkwatch::exporter
