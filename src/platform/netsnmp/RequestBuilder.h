#pragma once
#include "components/SnmpMessage.h"
#include "platform/netsnmp/PduHandle.h"
#include "platform/netsnmp/SnmpFailure.h"

namespace linkwatch::netsnmp {

// Builds the request PDU of a message: its kind (SNMPv1 has no get-bulk, so a v1
// get-bulk is sent as get-next), bulk settings, and one variable per binding - NULL
// for reads, the binding's value in its ValueType for a set.
class RequestBuilder {
 public:
  // The PDU, or null with failure filled when a binding's OID or set value is
  // unusable.
  static PduHandle Build(const SnmpMessage& message, SnmpFailure& failure);
};

}  // namespace linkwatch::netsnmp
