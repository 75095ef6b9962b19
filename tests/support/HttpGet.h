#pragma once
#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace linkwatch::support {

struct HttpAnswer {
  int Status = 0;  // 0: no answer (refused, cut off, too slow)
  std::string Body;
};

// A blocking HTTP/1.0 GET from 127.0.0.1:port, bounded by timeout as a whole.
// target is the path with its query, already encoded ("/api/v1/query?query=up").
HttpAnswer HttpGet(int port, const std::string& target,
                   const std::vector<std::pair<std::string, std::string>>& headers = {},
                   std::chrono::milliseconds timeout = std::chrono::seconds(10));

// text with every byte but unreserved ones as %XX, for a query parameter.
std::string UrlEncode(const std::string& text);

}  // namespace linkwatch::support
