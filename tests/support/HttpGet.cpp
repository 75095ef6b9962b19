#include "support/HttpGet.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>

namespace linkwatch::support {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point end) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits until sock is ready for events or the deadline passes.
bool WaitFor(int sock, short events, Clock::time_point end) {
  pollfd entry{sock, events, 0};
  while (true) {
    const int ready = ::poll(&entry, 1, MillisecondsLeft(end));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

std::string HeaderValue(const std::string& head, const std::string& name) {
  std::string lower;
  for (char c : head) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const size_t at = lower.find("\r\n" + name + ":");
  if (at == std::string::npos) return {};
  size_t start = at + 3 + name.size();
  while (start < head.size() && head[start] == ' ') ++start;
  return head.substr(start, head.find("\r\n", start) - start);
}

// Whether received holds a whole answer with a Content-Length header.
bool Complete(const std::string& received) {
  const size_t headEnd = received.find("\r\n\r\n");
  if (headEnd == std::string::npos) return false;
  const std::string length = HeaderValue(received.substr(0, headEnd), "content-length");
  if (length.empty() || length.find_first_not_of("0123456789") != std::string::npos) return false;
  return received.size() - headEnd - 4 >= std::stoull(length);
}

}  // namespace

HttpAnswer HttpGet(int port, const std::string& target,
                   const std::vector<std::pair<std::string, std::string>>& headers,
                   std::chrono::milliseconds timeout) {
  HttpAnswer answer;
  const auto end = Clock::now() + timeout;
  const int sock = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (sock < 0) return answer;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  std::string request = "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n";
  for (const auto& [name, value] : headers) request += name + ": " + value + "\r\n";
  request += "\r\n";

  std::string received;
  bool ok = ::connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ||
            errno == EINPROGRESS;
  if (ok) {
    ok = WaitFor(sock, POLLOUT, end);
    int error = 0;
    socklen_t size = sizeof error;
    ok = ok && ::getsockopt(sock, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
  }
  // A request of a few hundred octets goes out whole on a fresh connection.
  ok = ok && ::send(sock, request.data(), request.size(), MSG_NOSIGNAL) ==
                 static_cast<ssize_t>(request.size());
  while (ok) {
    char buffer[65536];
    const ssize_t n = ::recv(sock, buffer, sizeof buffer, 0);
    if (n > 0) {
      received.append(buffer, static_cast<size_t>(n));
      if (Complete(received)) break;  // a server that keeps the connection open
    } else if (n == 0) {
      break;  // the server closed: the answer is complete
    } else if (errno == EAGAIN) {
      ok = WaitFor(sock, POLLIN, end);
    } else {
      ok = false;
    }
  }
  ::close(sock);
  const size_t headEnd = received.find("\r\n\r\n");
  if (!ok || headEnd == std::string::npos) return answer;
  const std::string head = received.substr(0, headEnd);
  int status = 0;
  if (std::sscanf(head.c_str(), "HTTP/%*s %d", &status) != 1) return answer;
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
