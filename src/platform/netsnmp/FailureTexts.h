#pragma once
#include <cstdint>
#include <string>

#include "platform/netsnmp/SessionSettings.h"
#include "platform/netsnmp/SnmpFailure.h"

namespace linkwatch::netsnmp {

// Turns what net-snmp or the agent reported into an SnmpErrorCode and a text the
// user can act on: it names the agent and port and says what to check.
// docs/snmp-engine.md lists every code and text.
class FailureTexts {
 public:
  // Not one of net-snmp's errors: the exchange timed out while datagrams arrived
  // that answered nothing (a wrong request id, a damaged or cut message).
  static constexpr int kUnmatchedAnswers = -10001;

  // No answer within the time-out and retries.
  static SnmpFailure Timeout(const SessionSettings& settings);

  // A net-snmp library error (snmp_errno or a session's s_snmp_errno, including the
  // SNMPv3 report types).
  static SnmpFailure FromLibraryError(int libraryError, const SessionSettings& settings);

  // A non-zero error-status in the agent's response. oid names the binding the
  // error index points at (empty when it points at none); kind is the request's.
  static SnmpFailure FromErrorStatus(long status, const std::string& oid, int16_t kind,
                                     const SessionSettings& settings);

  // The SNMP name of an error-status ("notWritable"), or "error-status N".
  static std::string StatusName(long status);

  // True when the library error means the session's SNMPv3 state (engine ID, clock,
  // user keys) should be discovered afresh before the next exchange.
  static bool NeedsFreshSession(int libraryError);
};

}  // namespace linkwatch::netsnmp
