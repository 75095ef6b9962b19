#include "platform/netsnmp/AsyncChannel.h"

#include <QSocketNotifier>
#include <QTimer>
#include <net-snmp/library/large_fd_set.h>
#include <sys/select.h>

#include <algorithm>

namespace linkwatch::netsnmp {

AsyncChannel::AsyncChannel(std::unique_ptr<NetSnmpSession> session, Completion completion)
    : session_(std::move(session)), completion_(std::move(completion)) {
  notifier_ = std::make_unique<QSocketNotifier>(session_->Socket(), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadAnswers(); });
  timer_ = std::make_unique<QTimer>();
  timer_->setSingleShot(true);
  timer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer_.get(), &QTimer::timeout, [this] { HandleTimeouts(); });
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
  const int sent = snmp_sess_async_send(session_->Handle(), pdu.get(), &AsyncChannel::OnNetSnmpEvent,
                                        this);
  if (sent == 0) return false;  // pdu still ours: freed by its handle
  pdu.release();                // net-snmp owns it now
  exchanges_[sent] = exchangeId;
  ScheduleNextTimeout();
  return true;
}

int AsyncChannel::OnNetSnmpEvent(int operation, netsnmp_session*, int requestId,
                                 netsnmp_pdu* pdu, void* channel) {
  return static_cast<AsyncChannel*>(channel)->HandleEvent(operation, requestId, pdu);
}

int AsyncChannel::HandleEvent(int operation, int requestId, netsnmp_pdu* pdu) {
  if (closing_) return 1;
  int libraryError = SNMPERR_SUCCESS;
  netsnmp_pdu* answer = nullptr;
  switch (operation) {
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
      answer = pdu;
      break;
    case NETSNMP_CALLBACK_OP_TIMED_OUT:
      libraryError = SNMPERR_TIMEOUT;
      break;
    case NETSNMP_CALLBACK_OP_SEND_FAILED:
    case NETSNMP_CALLBACK_OP_SEC_ERROR:
    case NETSNMP_CALLBACK_OP_DISCONNECT:
      libraryError = session_->LastLibraryError();
      if (libraryError == SNMPERR_SUCCESS) libraryError = SNMPERR_GENERR;
      break;
    default:
      return 1;  // a resend or other notice: the exchange goes on
  }
  const auto found = exchanges_.find(requestId);
  if (found == exchanges_.end()) return 1;  // already completed (a late duplicate)
  const uint64_t exchangeId = found->second;
  exchanges_.erase(found);
  completion_(exchangeId, answer, libraryError);
  return 1;
}

void AsyncChannel::ReadAnswers() {
  netsnmp_large_fd_set readable;
  netsnmp_large_fd_set_init(&readable, session_->Socket() + 1);
  NETSNMP_LARGE_FD_ZERO(&readable);
  NETSNMP_LARGE_FD_SET(session_->Socket(), &readable);
  snmp_sess_read2(session_->Handle(), &readable);
  netsnmp_large_fd_set_cleanup(&readable);
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
  if (block) {
    timer_->stop();  // nothing outstanding
    return;
  }
  // Round up so the timer never fires just before net-snmp considers the request due.
  const long long ms = static_cast<long long>(wait.tv_sec) * 1000 + (wait.tv_usec + 999) / 1000;
  timer_->start(static_cast<int>(std::min<long long>(ms, 24LL * 3600 * 1000)));
}

}  // namespace linkwatch::netsnmp
