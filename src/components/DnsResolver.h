#pragma once
#include <functional>
#include <string>

namespace linkwatch {

// Reverse lookups of dotted IPv4 addresses. One resolver serves every control of
// a thread; each answer reaches every subscriber, on the thread that owns the
// resolver, with the host name found (empty when none), the address, the tag set
// before the lookup and two arguments that carry nothing.
class DnsResolver {
 public:
  using AnswerHandler =
      std::function<void(std::string& hostName, std::string& address, std::string& unused1,
                         std::string& tag, std::string& unused2)>;

  virtual ~DnsResolver() = default;

  // Lookups are answered only while enabled.
  virtual void SetEnabled(bool enabled) = 0;
  // Tag that comes back with the answer of the next Lookup.
  virtual void SetTag(const std::string& tag) = 0;
  virtual void Lookup(const std::string& address) = 0;

  // Returns a token for Unsubscribe.
  virtual int Subscribe(AnswerHandler handler) = 0;
  virtual void Unsubscribe(int token) = 0;
};

}  // namespace linkwatch
