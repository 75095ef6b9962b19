#pragma once
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <memory>

namespace linkwatch::netsnmp {

struct PduDeleter {
  void operator()(netsnmp_pdu* pdu) const {
    if (pdu) snmp_free_pdu(pdu);
  }
};

// Owns a net-snmp PDU. Release it only when handing it to a net-snmp call that
// takes ownership (a successful async send, a synchronous exchange).
using PduHandle = std::unique_ptr<netsnmp_pdu, PduDeleter>;

}  // namespace linkwatch::netsnmp
