#pragma once
#include <memory>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include "components/SnmpBinding.h"
#include "components/SnmpMessage.h"
#include "platform/netsnmp/SessionSettings.h"

namespace linkwatch::netsnmp {

// Turns an agent's response PDU into the response message of a request.
//
// The response carries the request's Tag, addressing and security. Its bindings are
// the PDU's variables in order, with the value texts of SnmpBinding.h. The end of
// the agent's MIB view (an endOfMibView value, or SNMPv1's noSuchName answer to a
// get-next) ends the bindings with one binding of type kSnmpEndOfMibView, empty OID
// and empty Value, and is not an error. Any other error-status becomes ErrorCode
// and ErrorText.
class ResponseReader {
 public:
  // A response to request with no bindings, no error and the request's Tag,
  // addressing and security.
  static SnmpMessage EmptyResponse(const SnmpMessage& request);

  // Fills response (made by EmptyResponse) from the agent's PDU. namer, when set,
  // is shared by every binding for its symbolic Name().
  static void Read(const netsnmp_pdu& pdu, const SnmpMessage& request,
                   const SessionSettings& settings,
                   const std::shared_ptr<const SnmpBinding::Namer>& namer, SnmpMessage& response);

  // One variable into a binding: OID, value text, HexValue and ValueType.
  static void ReadVariable(const netsnmp_variable_list& variable, SnmpBinding& binding);
};

}  // namespace linkwatch::netsnmp
