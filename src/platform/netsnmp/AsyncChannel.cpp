#include "platform/netsnmp/AsyncChannel.h"

#include "common/EventGuard.h"
#include "platform/netsnmp/ExchangeEvent.h"
#include "platform/netsnmp/FailureTexts.h"

#include <QSocketNotifier>
#include <QTimer>
#include <net-snmp/library/large_fd_set.h>
#include <sys/select.h>

#include <algorithm>
#include <cstdint>

namespace linkwatch::netsnmp {

AsyncChannel::AsyncChannel(std::unique_ptr<NetSnmpSession> session, Completion completion)
    : session_(std::move(session)), completion_(std::move(completion)) {
  notifier_ = std::make_unique<QSocketNotifier>(session_->Socket(), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated,
                   [this] { EventGuard::Call("reading SNMP answers", [this] { ReadAnswers(); }); });
  // net-snmp hands every callback the session; its callback_magic leads back here.
  snmp_sess_session(session_->Handle())->callback_magic = this;
  timer_ = std::make_unique<QTimer>();
  timer_->setSingleShot(true);
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_.get(), &QTimer::timeout, [this] {
    EventGuard::Call("SNMP retries and time-outs", [this] { HandleTimeouts(); });
  });
}

AsyncChannel::~AsyncChannel() {
  // Closing the session reports every outstanding request as timed out; the owner
  // is going away, so those reports are not passed on.
  closing_ = true;
  notifier_.reset();
  timer_.reset();
  session_.reset();
}

bool AsyncChannel::Send(PduHandle pdu, uint64_t exchangeId) {
  // Each request carries its exchange id as net-snmp's callback data: answers are
  // matched to requests by net-snmp (by message id for SNMPv3), and a report's
  // request id need not be the request's.
  void* callbackData = reinterpret_cast<void*>(static_cast<uintptr_t>(exchangeId));
  if (snmp_sess_async_send(session_->Handle(), pdu.get(), &AsyncChannel::OnNetSnmpEvent,
                           callbackData) == 0) {
    return false;  // pdu still ours: freed by its handle
  }
  pdu.release();  // net-snmp owns it now
  exchanges_[exchangeId] = unmatchedReads_;
  ScheduleNextTimeout();
  return true;
}

int AsyncChannel::OnNetSnmpEvent(int operation, netsnmp_session* session, int,
                                 netsnmp_pdu* pdu, void* callbackData) {
  auto* channel = static_cast<AsyncChannel*>(session->callback_magic);
  if (!channel) return 1;
  const auto exchangeId = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(callbackData));
  return channel->HandleEvent(operation, exchangeId, pdu);
}

int AsyncChannel::HandleEvent(int operation, uint64_t exchangeId, netsnmp_pdu* pdu) {
  if (closing_) return 1;
  const ExchangeEvent event = ExchangeEvent::From(operation, pdu, *session_);
  if (!event.Ends) return 1;
  int libraryError = event.LibraryError;
  if (libraryError == SNMPERR_TIMEOUT) {
    // Datagrams read since this exchange began that answered nothing.
    const auto found = exchanges_.find(exchangeId);
    if (found != exchanges_.end() && unmatchedReads_ > found->second) {
      libraryError = FailureTexts::kUnmatchedAnswers;
    }
  }
  // Not in flight: already completed (a late answer after a report, say).
  if (exchanges_.erase(exchangeId) == 0) return 1;
  if (event.Answer) ++completions_;
  completion_(exchangeId, event.Answer, libraryError);
  return 1;
}

void AsyncChannel::ReadAnswers() {
  netsnmp_large_fd_set readable;
  netsnmp_large_fd_set_init(&readable, session_->Socket() + 1);
  NETSNMP_LARGE_FD_ZERO(&readable);
  NETSNMP_LARGE_FD_SET(session_->Socket(), &readable);
  const uint64_t completedBefore = completions_;
  snmp_sess_read2(session_->Handle(), &readable);
  netsnmp_large_fd_set_cleanup(&readable);
  if (completions_ == completedBefore) ++unmatchedReads_;
  ScheduleNextTimeout();
}

void AsyncChannel::HandleTimeouts() {
  snmp_sess_timeout(session_->Handle());
  ScheduleNextTimeout();
}

void AsyncChannel::ScheduleNextTimeout() {
  int fdCount = 0;
  int block = 1;
  timeval wait{};
  netsnmp_large_fd_set unused;
  netsnmp_large_fd_set_init(&unused, session_->Socket() + 1);
  snmp_sess_select_info2_flags(session_->Handle(), &fdCount, &unused, &wait, &block,
                               NETSNMP_SELECT_NOALARMS);
  netsnmp_large_fd_set_cleanup(&unused);
  // Nothing outstanding: a timer still set fires once for nothing and is not set
  // again, which is cheaper than stopping and setting it for every request of a walk.
  if (block) return;
  // Round up so the timer never fires just before net-snmp considers the request due.
  const long long ms = static_cast<long long>(wait.tv_sec) * 1000 + (wait.tv_usec + 999) / 1000;
  const int due = static_cast<int>(std::min<long long>(ms, 24LL * 3600 * 1000));
  // A timer that fires no later is left alone: firing early only makes net-snmp
  // look, find nothing due and have it set again for the right time.
  if (timer_->isActive() && timer_->remainingTime() <= due) return;
  timer_->start(due);
}

}  // namespace linkwatch::netsnmp
