#pragma once
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <cstddef>

#include "components/SnmpMessage.h"

namespace linkwatch::netsnmp {

// Guards walks against agents whose get-next or get-bulk answers do not move
// forward (a classic agent bug: the same OID again, or an earlier one).
//
// Each answered variable must lie strictly after the position it answers: for a
// get-next, variable i after the request's binding i; for a get-bulk, a
// non-repeater after its request binding, and each repetition of a repeater after
// the same repeater's previous repetition (the first after its request binding).
// The reader cuts the answer at the first variable that breaks this and reports the
// end of the view there, so the walk ends as if the agent had said so: a broken
// agent costs at most one request past its last good binding.
class WalkOrder {
 public:
  // How many leading variables of the answer follow the order. Every variable for
  // requests that are not walks (get, set).
  static size_t OrderedPrefix(const netsnmp_pdu& answer, const SnmpMessage& request);
};

}  // namespace linkwatch::netsnmp
