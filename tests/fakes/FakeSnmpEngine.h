#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "components/SnmpEngine.h"

namespace linkwatch::fakes {

// Orders numeric OIDs ("1.3.6.1.2.1.2.2.1.10.7") by their numbers, as an agent does.
struct OidLess {
  bool operator()(const std::string& a, const std::string& b) const;
};

// A scripted SNMP engine for core tests.
//
// It answers from a table of the agent's objects (get, get-next, get-bulk and set,
// with the end of the view reported as the real engine does), or from a responder
// the test installs. Synchronous sends are answered at once; asynchronous ones wait
// in a queue until the test delivers them with DeliverNext. Every send is recorded
// with a copy of the message.
class FakeSnmpEngine : public SnmpEngine {
 public:
  struct AgentObject {
    std::string Value;
    int16_t Type = kSnmpOctetString;
    bool Writable = false;
  };
  struct SentRecord {
    SnmpMessage Message;
    bool DeliverByEvent = false;
  };
  using Responder = std::function<SnmpMessage(const SnmpMessage& request)>;

  // SnmpEngine
  std::unique_ptr<SnmpMessage> NewMessage() override;
  SnmpBinding NewBinding() override;
  void Send(SnmpMessage& message, bool& deliverByEvent) override;
  SnmpMessage& LastResponse() override;
  SnmpMessage& LastRequest() override;
  void SetReplyHandler(ReplyHandler handler) override;
  // No host name resolves: tests give addresses or want the failure.
  std::string ResolveHost(const std::string&) override { return {}; }
  void SetTransport(const SnmpTransport& transport) override { transport_ = transport; }
  SnmpTransport Transport() const override { return transport_; }

  // The agent.
  void SetObject(const std::string& oid, const std::string& value,
                 int16_t type = kSnmpOctetString, bool writable = false);
  void RemoveObject(const std::string& oid);
  const AgentObject* Object(const std::string& oid) const;
  // Exchanges with this version time out (a device that does not speak it).
  void RefuseVersion(int16_t version) { refusedVersions_.insert(version); }
  // Replaces the agent table for every answer; the response keeps the request's Tag.
  void SetResponder(Responder responder) { responder_ = std::move(responder); }

  // What the control did.
  const std::vector<SentRecord>& Sent() const { return sent_; }

  // Asynchronous replies, delivered by hand.
  size_t PendingCount() const { return pending_.size(); }
  const SnmpMessage& Pending(size_t position) const { return pending_.at(position); }
  // Answers the oldest waiting request from the agent; false when none waits.
  bool DeliverNext();
  // Delivers any response, waiting request or not.
  void Deliver(SnmpMessage response);
  // Answers waiting requests, including those the handlers send, up to limit; returns how many.
  int DeliverAll(int limit = 100000);
  // Forgets waiting requests without answering them (a device that went silent).
  void DropPending() { pending_.clear(); }

 private:
  // The agent's answer to a request, as the engine would deliver it.
  SnmpMessage Respond(const SnmpMessage& request);
  void AnswerBindings(const SnmpMessage& request, SnmpMessage& response);
  bool NextObject(const std::string& position, SnmpBinding& out) const;

  std::map<std::string, AgentObject, OidLess> objects_;
  std::set<int16_t> refusedVersions_;
  Responder responder_;
  ReplyHandler replyHandler_;
  SnmpTransport transport_;
  SnmpMessage lastResponse_;
  SnmpMessage lastRequest_;
  std::deque<SnmpMessage> pending_;
  std::vector<SentRecord> sent_;
};

}  // namespace linkwatch::fakes
