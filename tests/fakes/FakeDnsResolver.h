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
  void Lookup(const std::string& address) override;
  int Subscribe(AnswerHandler handler) override;
  void Unsubscribe(int token) override;

  bool Enabled() const { return enabled_; }
  const std::vector<LookupRecord>& Lookups() const { return lookups_; }
  int SubscriberCount() const { return static_cast<int>(subscribers_.size()); }

  // Delivers one answer to every subscriber, in order of subscription.
  void Answer(const std::string& hostName, const std::string& address, const std::string& tag);

 private:
  bool enabled_ = false;
  std::string tag_;
  std::vector<LookupRecord> lookups_;
  std::map<int, AnswerHandler> subscribers_;
  int nextToken_ = 1;
};

}  // namespace linkwatch::fakes
