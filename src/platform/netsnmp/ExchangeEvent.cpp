#include "platform/netsnmp/ExchangeEvent.h"

namespace linkwatch::netsnmp {

ExchangeEvent ExchangeEvent::From(int operation, netsnmp_pdu* pdu,
                                  const NetSnmpSession& session) {
  ExchangeEvent event;
  event.Ends = true;
  switch (operation) {
    case NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE:
      event.Answer = pdu;
      return event;
    case NETSNMP_CALLBACK_OP_TIMED_OUT:
      event.LibraryError = SNMPERR_TIMEOUT;
      return event;
    case NETSNMP_CALLBACK_OP_SEC_ERROR:
      // An SNMPv3 report (unknown user, wrong digest...) arrives here first, with
      // the report PDU; it says more than the session's error number.
      if (pdu && pdu->command == SNMP_MSG_REPORT) {
        event.Answer = pdu;
        return event;
      }
      [[fallthrough]];
    case NETSNMP_CALLBACK_OP_SEND_FAILED:
    case NETSNMP_CALLBACK_OP_DISCONNECT:
      event.LibraryError = session.LastLibraryError();
      if (event.LibraryError == SNMPERR_SUCCESS) event.LibraryError = SNMPERR_GENERR;
      return event;
    default:
      event.Ends = false;
      return event;
  }
}

}  // namespace linkwatch::netsnmp
