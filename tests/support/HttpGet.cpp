#include "support/HttpGet.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QTcpSocket>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace linkwatch::support {
namespace {

// Whether received holds a whole answer by its Content-Length header (a server that
// keeps the connection open says where the answer ends only so).
bool Complete(const std::string& received) {
  const size_t headEnd = received.find("\r\n\r\n");
  if (headEnd == std::string::npos) return false;
  std::string head = received.substr(0, headEnd);
  std::transform(head.begin(), head.end(), head.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const size_t at = head.find("\r\ncontent-length:");
  if (at == std::string::npos) return false;
  return received.size() - headEnd - 4 >= std::strtoull(head.c_str() + at + 17, nullptr, 10);
}

}  // namespace

HttpAnswer HttpGet(int port, const std::string& target,
                   const std::vector<std::pair<std::string, std::string>>& headers,
                   std::chrono::milliseconds timeout) {
  const QDeadlineTimer deadline(timeout.count());
  std::string request = "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n";
  for (const auto& [name, value] : headers) request += name + ": " + value + "\r\n";
  request += "\r\n";

  // Blocking calls, each bounded by what is left of the time-out: no event loop.
  QTcpSocket socket;
  socket.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(port));
  if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) return {};
  socket.write(request.data(), static_cast<qint64>(request.size()));
  std::string received;
  auto more = [&] { return socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())); };
  while (!Complete(received) && more()) received += socket.readAll().toStdString();
  received += socket.readAll().toStdString();
  // Complete, or the server closed (the answer is complete), or too slow.
  const bool ended = Complete(received) || socket.state() != QAbstractSocket::ConnectedState;
  const size_t headEnd = received.find("\r\n\r\n");
  int status = 0;
  if (!ended || headEnd == std::string::npos ||
      std::sscanf(received.c_str(), "HTTP/%*s %d", &status) != 1) {
    return {};
  }
  return {status, received.substr(headEnd + 4)};
}

std::string UrlEncode(const std::string& text) {
  std::string out;
  for (const unsigned char c : text) {
    if (std::isalnum(c) != 0 || c == '-' || c == '_' || c == '.' || c == '~') {
      out += static_cast<char>(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

}  // namespace linkwatch::support
