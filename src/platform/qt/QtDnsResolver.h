#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <string>

#include "components/DnsResolver.h"
#include "platform/qt/LookupQueue.h"

class QHostInfo;

namespace linkwatch {

class HostLookupReceiver;

// Reverse lookups of dotted IPv4 addresses through Qt's host lookup, which asks
// the system's name service on a worker thread and answers on the thread that
// owns this resolver. Every answer goes to every subscriber with the host name
// (empty when the address has no name), the address, the request's tag and two
// empty texts.
//
// Work is bounded (see LookupQueue). A text that is not a dotted IPv4 address is
// answered at once, from the event loop, with an empty host name. The resolver
// starts disabled: while disabled, Lookup does nothing and answers still on their
// way are dropped. Destroying the resolver abandons its lookups; their late
// answers reach no one.
class QtDnsResolver final : public DnsResolver {
 public:
  struct Limits {
    std::size_t MaxRunning = 16;
    std::size_t MaxWaiting = 256;
  };

  QtDnsResolver();
  explicit QtDnsResolver(Limits limits);
  ~QtDnsResolver() override;
  QtDnsResolver(const QtDnsResolver&) = delete;
  QtDnsResolver& operator=(const QtDnsResolver&) = delete;

  void SetEnabled(bool enabled) override;
  void SetTag(const std::string& tag) override;
  void Lookup(const std::string& address) override;
  int Subscribe(AnswerHandler handler) override;
  void Unsubscribe(int token) override;

  bool Enabled() const { return enabled_; }
  const std::string& Tag() const { return tag_; }
  std::size_t LookupsRunning() const { return queue_.Running(); }
  std::size_t LookupsWaiting() const { return queue_.Waiting(); }
  std::size_t LookupsDropped() const { return queue_.Dropped(); }

 private:
  void StartWaiting();
  void OnHostInfo(const QHostInfo& info);
  void Raise(const std::string& hostName, const LookupRequest& request);

  // Answers are delivered to this object; destroying it first makes sure that no
  // answer still queued in the event loop calls into a destroyed resolver.
  std::unique_ptr<HostLookupReceiver> receiver_;
  LookupQueue queue_;
  // The running lookups by Qt's lookup id.
  std::map<int, LookupRequest> running_;
  std::map<int, AnswerHandler> subscribers_;
  int nextToken_ = 1;
  bool enabled_ = false;
  std::string tag_;
  // Shared with answers being raised, so a handler that destroys the resolver
  // stops the delivery loop.
  std::shared_ptr<bool> alive_;
};

}  // namespace linkwatch
