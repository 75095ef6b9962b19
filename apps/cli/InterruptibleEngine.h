#pragma once
#include <functional>
#include <memory>
#include <string>

#include "components/SnmpEngine.h"

namespace linkwatch::cli {

// Wraps a control's SNMP engine so that the blocking steps of StartMonitoring
// (the host name's lookup and the version and interface-count probes, each of
// which may wait time-out x (retries + 1) for a silent device) end as soon as
// the monitor is interrupted.
//
// Until the control sends its first asynchronous request (its first poll), a
// synchronous exchange is sent asynchronously and waited for on the Qt event loop,
// which checks `interrupted` every few milliseconds; the lookup runs on a thread
// of its own. Once interrupted, a waiting or later synchronous exchange fails at
// once with kSnmpTimeout and an abandoned exchange's late reply is dropped. After
// the first poll everything goes to the wrapped engine unchanged: a synchronous
// exchange then must not run the event loop (other replies and the poll timer
// would run inside it).
class InterruptibleEngine final : public SnmpEngine {
 public:
  using Interrupted = std::function<bool()>;

  InterruptibleEngine(std::unique_ptr<SnmpEngine> inner, Interrupted interrupted);
  ~InterruptibleEngine() override;
  InterruptibleEngine(const InterruptibleEngine&) = delete;
  InterruptibleEngine& operator=(const InterruptibleEngine&) = delete;

  std::unique_ptr<SnmpMessage> NewMessage() override;
  SnmpBinding NewBinding() override;
  void Send(SnmpMessage& message, bool& deliverByEvent) override;
  SnmpMessage& LastResponse() override;
  SnmpMessage& LastRequest() override;
  void SetReplyHandler(ReplyHandler handler) override;
  std::string ResolveHost(const std::string& name) override;
  void SetTransport(const SnmpTransport& transport) override;
  SnmpTransport Transport() const override;

  // The Tag of every exchange this engine waits for itself; replies with it never
  // reach the control.
  static constexpr const char* kWaitTagPrefix = "linkwatch-cli-wait:";

 private:
  bool WaitsItself() const { return !polling_; }
  void SendAndWaitInterruptibly(const SnmpMessage& message);
  void OnInnerReply(SnmpMessage& response);

  std::unique_ptr<SnmpEngine> inner_;
  Interrupted interrupted_;
  ReplyHandler handler_;
  bool polling_ = false;  // an asynchronous request was sent: hand everything on
  // The answer of the last exchange waited for here; LastResponse designates it
  // until the wrapped engine delivers another reply.
  SnmpMessage waited_;
  bool waitedIsLast_ = false;
  std::string awaitedTag_;
  bool answered_ = false;
  int waits_ = 0;
};

}  // namespace linkwatch::cli
