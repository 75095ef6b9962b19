#include "support/HttpGet.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "support/BackgroundProcess.h"

namespace linkwatch::support {
namespace {

using Clock = std::chrono::steady_clock;

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

// Bounds the socket's next connect, send or receive by what is left until end.
bool WaitAtMostUntil(int sock, Clock::time_point end) {
  const auto left = std::chrono::duration_cast<std::chrono::microseconds>(end - Clock::now());
  if (left.count() <= 0) return false;
  const timeval limit{static_cast<time_t>(left.count() / 1000000),
                      static_cast<suseconds_t>(left.count() % 1000000)};
  return ::setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit) == 0 &&
         ::setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit) == 0;
}

}  // namespace

HttpAnswer HttpGet(int port, const std::string& target,
                   const std::vector<std::pair<std::string, std::string>>& headers,
                   std::chrono::milliseconds timeout) {
  HttpAnswer answer;
  const auto end = Clock::now() + timeout;
  const int sock = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (sock < 0) return answer;
  const sockaddr_in address = LoopbackAddress(port);
  std::string request = "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n";
  for (const auto& [name, value] : headers) request += name + ": " + value + "\r\n";
  request += "\r\n";

  std::string received;
  // A request of a few hundred octets goes out whole on a fresh connection.
  bool ok = WaitAtMostUntil(sock, end) &&
            ::connect(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
            ::send(sock, request.data(), request.size(), MSG_NOSIGNAL) ==
                static_cast<ssize_t>(request.size());
  while (ok && !Complete(received)) {
    char buffer[65536];
    const ssize_t n = WaitAtMostUntil(sock, end) ? ::recv(sock, buffer, sizeof buffer, 0) : -1;
    if (n == 0) break;  // the server closed: the answer is complete
    ok = n > 0;
    if (ok) received.append(buffer, static_cast<size_t>(n));
  }
  ::close(sock);
  const size_t headEnd = received.find("\r\n\r\n");
  int status = 0;
  if (!ok || headEnd == std::string::npos ||
      std::sscanf(received.c_str(), "HTTP/%*s %d", &status) != 1) {
    return answer;
  }
  answer.Status = status;
  answer.Body = received.substr(headEnd + 4);
  return answer;
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
