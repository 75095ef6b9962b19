#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "platform/netsnmp/NetSnmpSession.h"
#include "platform/netsnmp/PduHandle.h"

class QSocketNotifier;
class QTimer;

namespace linkwatch::netsnmp {

// One net-snmp session driven by the owning thread's Qt event loop: a
// QSocketNotifier on the session's socket reads answers as they arrive, and a
// single-shot QTimer wakes net-snmp when its next retry or time-out is due (never
// later; it is set again only when a request falls due sooner, not for every
// request and answer). Nothing polls. Any number of requests may be in flight;
// each is known by the exchange id the caller gave it.
class AsyncChannel {
 public:
  // Called once per exchange: with the answer (a response or report PDU, which
  // net-snmp still owns and frees after the call), or with no PDU when the exchange
  // failed (timeout, send or security error); libraryError then says why
  // (FailureTexts::kUnmatchedAnswers: it timed out while answers that matched
  // nothing arrived).
  using Completion = std::function<void(uint64_t exchangeId, netsnmp_pdu* answer,
                                        int libraryError)>;

  AsyncChannel(std::unique_ptr<NetSnmpSession> session, Completion completion);
  ~AsyncChannel();
  AsyncChannel(const AsyncChannel&) = delete;
  AsyncChannel& operator=(const AsyncChannel&) = delete;

  // Sends the request; false (with the PDU freed) when net-snmp could not send it,
  // and LastLibraryError() then says why.
  bool Send(PduHandle pdu, uint64_t exchangeId);
  int LastLibraryError() const { return session_->LastLibraryError(); }

  size_t InFlight() const { return exchanges_.size(); }
  const SessionSettings& Settings() const { return session_->Settings(); }

 private:
  static int OnNetSnmpEvent(int operation, netsnmp_session* session, int requestId,
                            netsnmp_pdu* pdu, void* callbackData);
  int HandleEvent(int operation, uint64_t exchangeId, netsnmp_pdu* pdu);
  void ReadAnswers();
  void HandleTimeouts();
  void ScheduleNextTimeout();

  std::unique_ptr<NetSnmpSession> session_;
  Completion completion_;
  // In flight: exchange id -> unmatchedReads_ when it was sent.
  std::map<uint64_t, uint64_t> exchanges_;
  // Datagrams read that completed no exchange (a wrong request id, a damaged or
  // cut message, a duplicate): an exchange that times out after some arrived is
  // reported as such, not as silence.
  uint64_t unmatchedReads_ = 0;
  uint64_t completions_ = 0;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::unique_ptr<QTimer> timer_;
  bool closing_ = false;
};

}  // namespace linkwatch::netsnmp
