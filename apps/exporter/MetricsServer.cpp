#include "MetricsServer.h"

#include <QHostAddress>
#include <QHttpServerRequest>
#include <QHttpServerResponse>

namespace linkwatch::exporter {

MetricsServer::MetricsServer(Gather gather) : gather_(std::move(gather)) {
  server_.route("/metrics", [this](const QHttpServerRequest& request) {
    const ExpositionFormat format = FormatFor(request.value("Accept").toStdString());
    const std::string text = gather_(format);
    const QByteArray type = format == ExpositionFormat::OpenMetrics
                                ? "application/openmetrics-text; version=1.0.0; charset=utf-8"
                                : "text/plain; version=0.0.4; charset=utf-8";
    return QHttpServerResponse(type, QByteArray::fromStdString(text));
  });
  server_.route("/-/healthy", [] { return QHttpServerResponse("text/plain", "OK\n"); });
}

uint16_t MetricsServer::Listen(const std::string& address, uint16_t port) {
  QHostAddress host;
  if (!host.setAddress(QString::fromStdString(address))) return 0;
  return server_.listen(host, port);
}

ExpositionFormat MetricsServer::FormatFor(const std::string& acceptHeader) {
  return acceptHeader.find("application/openmetrics-text") != std::string::npos
             ? ExpositionFormat::OpenMetrics
             : ExpositionFormat::PrometheusText;
}

}  // namespace linkwatch::exporter
