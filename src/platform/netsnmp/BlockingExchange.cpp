#include "platform/netsnmp/BlockingExchange.h"

#include <net-snmp/library/large_fd_set.h>
#include <sys/select.h>

#include "platform/netsnmp/ExchangeEvent.h"
#include "platform/netsnmp/FailureTexts.h"

namespace linkwatch::netsnmp {
namespace {

struct Waiter {
  bool Done = false;
  BlockingExchange::Outcome Result;
  NetSnmpSession* Session = nullptr;
};

int OnEvent(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic) {
  auto* waiter = static_cast<Waiter*>(magic);
  const ExchangeEvent event = ExchangeEvent::From(operation, pdu, *waiter->Session);
  if (!event.Ends) return 1;
  if (event.Answer) waiter->Result.Answer.reset(snmp_clone_pdu(event.Answer));
  waiter->Result.LibraryError = event.LibraryError;
  waiter->Done = true;
  return 1;
}

}  // namespace

BlockingExchange::Outcome BlockingExchange::Run(NetSnmpSession& session, PduHandle request) {
  Waiter waiter;
  waiter.Session = &session;
  if (snmp_sess_async_send(session.Handle(), request.get(), &OnEvent, &waiter) == 0) {
    waiter.Result.LibraryError = session.LastLibraryError();
    if (waiter.Result.LibraryError == SNMPERR_SUCCESS) waiter.Result.LibraryError = SNMPERR_BAD_SENDTO;
    return std::move(waiter.Result);
  }
  request.release();  // net-snmp owns it now

  int unmatched = 0;
  while (!waiter.Done) {
    int fdCount = 0;
    int block = 0;
    timeval wait{};
    netsnmp_large_fd_set readable;
    netsnmp_large_fd_set_init(&readable, session.Socket() + 1);
    NETSNMP_LARGE_FD_ZERO(&readable);
    snmp_sess_select_info2_flags(session.Handle(), &fdCount, &readable, &wait, &block,
                                 NETSNMP_SELECT_NOALARMS);
    const int ready = netsnmp_large_fd_set_select(fdCount, &readable, nullptr, nullptr,
                                                  block ? nullptr : &wait);
    if (ready > 0) {
      snmp_sess_read2(session.Handle(), &readable);
      if (!waiter.Done) ++unmatched;
    } else if (ready == 0) {
      snmp_sess_timeout(session.Handle());
    }  // else interrupted by a signal: look again
    netsnmp_large_fd_set_cleanup(&readable);
  }
  if (waiter.Result.LibraryError == SNMPERR_TIMEOUT && unmatched > 0) {
    waiter.Result.LibraryError = FailureTexts::kUnmatchedAnswers;
  }
  return std::move(waiter.Result);
}

}  // namespace linkwatch::netsnmp
