#pragma once
#include <functional>
#include <memory>
#include <string>

#include "components/SnmpBinding.h"
#include "components/SnmpMessage.h"

namespace linkwatch {

// Where and how patiently the engine talks to the agent.
struct SnmpTransport {
  int Port = 161;
  int TimeoutMs = 1000;
  int Retries = 1;
};

// Speaks SNMP for one control.
//
// Send with deliverByEvent false returns after the exchange; LastResponse() then
// holds the answer (bindings in request order). With it true, Send returns at once
// and the reply handler runs later on the thread that owns the engine, with
// LastResponse() designating that exchange while it runs. A synchronous exchange
// never runs another exchange's reply handler while it waits.
//
// Walk requests name an OID that may end in "."; "1.3.6.1.2.1.1." is the same
// position as 1.3.6.1.2.1.1.
//
// End of the agent's MIB view (a v2c/v3 endOfMibView binding, or SNMPv1's
// noSuchName answer to a get-next or get-bulk) is not an error: the response
// succeeds and, in place of the missing bindings, carries one binding of type
// kSnmpEndOfMibView with an empty OID and an empty Value. An empty OID lies outside
// every walk base, so the walk ends exactly as when a binding passes its base and
// the caller's chain of walks goes on; nothing is ever requested again for it.
class SnmpEngine {
 public:
  using ReplyHandler = std::function<void(SnmpMessage& response)>;

  virtual ~SnmpEngine() = default;

  virtual std::unique_ptr<SnmpMessage> NewMessage() = 0;
  virtual SnmpBinding NewBinding() = 0;

  virtual void Send(SnmpMessage& message, bool& deliverByEvent) = 0;
  virtual SnmpMessage& LastResponse() = 0;
  virtual SnmpMessage& LastRequest() = 0;
  virtual void SetReplyHandler(ReplyHandler handler) = 0;

  // Dotted IPv4 text for a host name, or a text that is not an address when the
  // name does not resolve.
  virtual std::string ResolveHost(const std::string& name) = 0;

  virtual void SetTransport(const SnmpTransport& transport) = 0;
  virtual SnmpTransport Transport() const = 0;
};

}  // namespace linkwatch
