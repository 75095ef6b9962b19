#include "CountingPlatform.h"

#include "components/SnmpEngine.h"

namespace linkwatch::exporter {
namespace {

// An engine that passes everything to the real one, counts what it sends and notes
// when each reply arrives, before the control handles it.
class CountingEngine final : public SnmpEngine {
 public:
  CountingEngine(std::unique_ptr<SnmpEngine> real, std::shared_ptr<RequestCounter> counter,
                 std::shared_ptr<ReplyTimes> replyTimes)
      : real_(std::move(real)), counter_(std::move(counter)), replyTimes_(std::move(replyTimes)) {}

  std::unique_ptr<SnmpMessage> NewMessage() override { return real_->NewMessage(); }
  SnmpBinding NewBinding() override { return real_->NewBinding(); }
  void Send(SnmpMessage& message, bool& deliverByEvent) override {
    counter_->NoteSend();
    real_->Send(message, deliverByEvent);
  }
  SnmpMessage& LastResponse() override { return real_->LastResponse(); }
  SnmpMessage& LastRequest() override { return real_->LastRequest(); }
  void SetReplyHandler(ReplyHandler handler) override {
    if (!handler || !replyTimes_) {
      real_->SetReplyHandler(std::move(handler));
      return;
    }
    real_->SetReplyHandler([times = replyTimes_, handler = std::move(handler)](SnmpMessage& reply) {
      times->Note(reply, ReplyTimes::Clock::now());
      handler(reply);
    });
  }
  std::string ResolveHost(const std::string& name) override { return real_->ResolveHost(name); }
  void SetTransport(const SnmpTransport& transport) override { real_->SetTransport(transport); }
  SnmpTransport Transport() const override { return real_->Transport(); }

 private:
  std::unique_ptr<SnmpEngine> real_;
  std::shared_ptr<RequestCounter> counter_;
  std::shared_ptr<ReplyTimes> replyTimes_;
};

}  // namespace

std::unique_ptr<SnmpEngine> CountingPlatform::NewSnmpEngine() {
  auto engine = real_->NewSnmpEngine();
  if (!nextCounter_) return engine;
  return std::make_unique<CountingEngine>(std::move(engine), std::move(nextCounter_),
                                          std::move(nextReplyTimes_));
}

}  // namespace linkwatch::exporter
