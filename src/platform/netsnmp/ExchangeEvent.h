#pragma once
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "platform/netsnmp/NetSnmpSession.h"

namespace linkwatch::netsnmp {

// What one of net-snmp's callbacks about a request means for the exchange: both the
// asynchronous channel and the blocking exchange read the callbacks through this.
struct ExchangeEvent {
  bool Ends = false;               // false: a resend or other notice, the exchange goes on
  netsnmp_pdu* Answer = nullptr;   // the response or SNMPv3 report (owned by net-snmp)
  int LibraryError = SNMPERR_SUCCESS;  // why it failed when there is no answer

  static ExchangeEvent From(int operation, netsnmp_pdu* pdu, const NetSnmpSession& session);
};

}  // namespace linkwatch::netsnmp
