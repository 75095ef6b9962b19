#include "fakes/FakeDnsResolver.h"

namespace linkwatch::fakes {

void FakeDnsResolver::Lookup(const std::string& address) {
  lookups_.push_back({address, tag_, enabled_});
}

int FakeDnsResolver::Subscribe(AnswerHandler handler) {
  const int token = nextToken_++;
  subscribers_.emplace(token, std::move(handler));
  return token;
}

void FakeDnsResolver::Unsubscribe(int token) { subscribers_.erase(token); }

void FakeDnsResolver::Answer(const std::string& hostName, const std::string& address,
                             const std::string& tag) {
  // A handler may unsubscribe while answers are delivered: walk a snapshot of tokens.
  std::vector<int> tokens;
  for (const auto& [token, handler] : subscribers_) tokens.push_back(token);
  for (int token : tokens) {
    auto found = subscribers_.find(token);
    if (found == subscribers_.end()) continue;
    // Every subscriber gets its own copies, as the real resolver's arguments are per call.
    std::string name = hostName, addr = address, unused1, tagCopy = tag, unused2;
    auto handler = found->second;
    handler(name, addr, unused1, tagCopy, unused2);
  }
}

}  // namespace linkwatch::fakes
