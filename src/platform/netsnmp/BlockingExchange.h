#pragma once
#include "platform/netsnmp/NetSnmpSession.h"
#include "platform/netsnmp/PduHandle.h"

namespace linkwatch::netsnmp {

// One request on a session, waited for on the spot: the thread blocks in select()
// on that session's socket alone, so no other exchange's reply and no event of the
// program runs meanwhile (net-snmp's own retries and time-outs still apply).
//
// It differs from net-snmp's synchronous call in what it tells: datagrams that
// arrive but answer nothing (a wrong request id, a damaged or cut message) are
// counted, so a time-out after some of them is reported as such, not as silence.
class BlockingExchange {
 public:
  struct Outcome {
    PduHandle Answer;  // the response or SNMPv3 report; none when the exchange failed
    // Why it failed: net-snmp's error, or FailureTexts::kUnmatchedAnswers.
    int LibraryError = 0;
  };

  static Outcome Run(NetSnmpSession& session, PduHandle request);
};

}  // namespace linkwatch::netsnmp
