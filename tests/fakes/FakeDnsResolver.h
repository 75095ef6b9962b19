#pragma once
#include <map>
#include <string>
#include <vector>

#include "components/DnsResolver.h"

namespace linkwatch::fakes {

// A resolver that answers only when the test calls Answer. It records every lookup
// with the tag and enabled state it was made with.
class FakeDnsResolver : public DnsResolver {
 public:
  struct LookupRecord {
    std::string Address;
    std::string Tag;
    bool Enabled = false;
  };

  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  void SetTag(const std::string& tag) override { tag_ = tag; }
  void Lookup(const std::string& address) override { lookups_.push_back({address, tag_, enabled_}); }
  int Subscribe(AnswerHandler handler) override {
    subscribers_.emplace(nextToken_, std::move(handler));
    return nextToken_++;
  }
  void Unsubscribe(int token) override { subscribers_.erase(token); }

  const std::vector<LookupRecord>& Lookups() const { return lookups_; }
  int SubscriberCount() const { return static_cast<int>(subscribers_.size()); }

  // Delivers one answer to every subscriber, in order of subscription. A handler
  // may unsubscribe meanwhile: this walks a snapshot of the tokens. Each gets its
  // own copies, as the real resolver's arguments are per call.
  void Answer(const std::string& hostName, const std::string& address, const std::string& tag) {
    std::vector<int> tokens;
    for (const auto& subscriber : subscribers_) tokens.push_back(subscriber.first);
    for (int token : tokens) {
      auto found = subscribers_.find(token);
      if (found == subscribers_.end()) continue;
      std::string name = hostName, addr = address, unused1, tagCopy = tag, unused2;
      auto handler = found->second;
      handler(name, addr, unused1, tagCopy, unused2);
    }
  }

 private:
  bool enabled_ = false;
  std::string tag_;
  std::vector<LookupRecord> lookups_;
  std::map<int, AnswerHandler> subscribers_;
  int nextToken_ = 1;
};

}  // namespace linkwatch::fakes
