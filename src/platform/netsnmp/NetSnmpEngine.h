#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "components/MibTree.h"
#include "components/SnmpEngine.h"

class QTimer;
struct snmp_pdu;

namespace linkwatch {

namespace netsnmp {
class AsyncChannel;
class NetSnmpSession;
struct SessionSettings;
struct SnmpFailure;
}  // namespace netsnmp

// The SNMP engine over net-snmp: SNMPv1, SNMPv2c and SNMPv3 (user-based security
// with MD5 or SHA-1/224/256/384/512 authentication and DES or AES-128/192/256
// privacy) over UDP/IPv4.
//
// A synchronous Send uses a session of its own (net-snmp's single-session API), so
// it blocks only on its own answer and never dispatches another exchange's reply.
// An asynchronous Send returns at once; its reply is delivered from the owning
// thread's Qt event loop, so that thread must run one. Sessions are opened on first
// use for each agent, port, version and credentials, and kept for reuse.
//
// The engine belongs to the thread that creates it and locks nothing. Error codes
// and value texts: docs/snmp-engine.md.
class NetSnmpEngine final : public SnmpEngine {
 public:
  // mib names the OIDs of bindings (SnmpBinding::Name); it may be null, and the
  // bindings then answer their numeric OID.
  explicit NetSnmpEngine(std::shared_ptr<const MibTree> mib = nullptr);
  ~NetSnmpEngine() override;
  NetSnmpEngine(const NetSnmpEngine&) = delete;
  NetSnmpEngine& operator=(const NetSnmpEngine&) = delete;

  std::unique_ptr<SnmpMessage> NewMessage() override;
  SnmpBinding NewBinding() override;

  void Send(SnmpMessage& message, bool& deliverByEvent) override;
  SnmpMessage& LastResponse() override { return lastResponse_; }
  SnmpMessage& LastRequest() override { return lastRequest_; }
  void SetReplyHandler(ReplyHandler handler) override { replyHandler_ = std::move(handler); }

  std::string ResolveHost(const std::string& name) override;

  void SetTransport(const SnmpTransport& transport) override { transport_ = transport; }
  SnmpTransport Transport() const override { return transport_; }

  // Exchanges sent with deliverByEvent whose replies have not been handled yet.
  size_t PendingReplies() const;
  // Replies whose handler threw (the exception is caught there; delivery goes on).
  size_t HandlerFailures() const { return handlerFailures_; }

 private:
  struct Exchange;

  void SendAndWait(const SnmpMessage& request);
  void SendAndReturn(const SnmpMessage& request);
  // A new session for the settings; none (and why in failure) when it cannot be
  // opened.
  std::unique_ptr<netsnmp::NetSnmpSession> OpenSession(const netsnmp::SessionSettings& settings,
                                                       netsnmp::SnmpFailure& failure);
  netsnmp::NetSnmpSession* SyncSessionFor(const netsnmp::SessionSettings& settings,
                                          netsnmp::SnmpFailure& failure);
  netsnmp::AsyncChannel* ChannelFor(const netsnmp::SessionSettings& settings,
                                    netsnmp::SnmpFailure& failure);
  void CloseIdleSessionsOfOtherKeys(const netsnmp::SessionSettings& settings);
  void MarkStaleAfterFailure(const netsnmp::SessionSettings& settings, int libraryError);
  void CloseStaleSessions();
  void LimitCachedSessions();
  void CompleteExchange(uint64_t exchangeId, snmp_pdu* answer, int libraryError);
  void QueueReply(SnmpMessage response);
  void ScheduleDelivery();
  void NoteAnswered(const SnmpMessage& response);
  void DeliverReplies();
  // The symbolic namer every binding of the engine shares (none without a MIB tree).
  const std::shared_ptr<const SnmpBinding::Namer>& Namer() const { return namer_; }

  std::shared_ptr<const MibTree> mib_;
  std::shared_ptr<const SnmpBinding::Namer> namer_;
  SnmpTransport transport_;
  SnmpMessage lastRequest_;
  SnmpMessage lastResponse_;
  ReplyHandler replyHandler_;

  std::map<std::string, std::unique_ptr<netsnmp::NetSnmpSession>> syncSessions_;
  std::map<std::string, std::unique_ptr<netsnmp::AsyncChannel>> channels_;
  std::unordered_map<uint64_t, std::unique_ptr<Exchange>> exchanges_;
  uint64_t nextExchangeId_ = 1;
  std::deque<SnmpMessage> readyReplies_;
  std::vector<SnmpMessage> resends_;  // get-bulks answered tooBig, to ask again with fewer
  int16_t answeredVersion_ = 0;       // version of the last successful exchange; 0: none yet
  size_t handlerFailures_ = 0;
  std::vector<std::string> staleKeys_;  // sessions to close once no call is inside them
  std::unique_ptr<QTimer> deliveryTimer_;
  std::shared_ptr<bool> alive_;
};

}  // namespace linkwatch
