#include "CountingPlatform.h"

#include "components/SnmpEngine.h"

namespace linkwatch::exporter {
namespace {

// An engine that passes everything to the real one and counts what it sends.
class CountingEngine final : public SnmpEngine {
 public:
  CountingEngine(std::unique_ptr<SnmpEngine> real, std::shared_ptr<RequestCounter> counter)
      : real_(std::move(real)), counter_(std::move(counter)) {}

  std::unique_ptr<SnmpMessage> NewMessage() override { return real_->NewMessage(); }
  SnmpBinding NewBinding() override { return real_->NewBinding(); }
  void Send(SnmpMessage& message, bool& deliverByEvent) override {
    counter_->NoteSend();
    real_->Send(message, deliverByEvent);
  }
  SnmpMessage& LastResponse() override { return real_->LastResponse(); }
  SnmpMessage& LastRequest() override { return real_->LastRequest(); }
  void SetReplyHandler(ReplyHandler handler) override {
    real_->SetReplyHandler(std::move(handler));
  }
  std::string ResolveHost(const std::string& name) override { return real_->ResolveHost(name); }
  void SetTransport(const SnmpTransport& transport) override { real_->SetTransport(transport); }
  SnmpTransport Transport() const override { return real_->Transport(); }

 private:
  std::unique_ptr<SnmpEngine> real_;
  std::shared_ptr<RequestCounter> counter_;
};

}  // namespace

std::unique_ptr<SnmpEngine> CountingPlatform::NewSnmpEngine() {
  auto engine = real_->NewSnmpEngine();
  if (!nextCounter_) return engine;
  return std::make_unique<CountingEngine>(std::move(engine), std::move(nextCounter_));
}

}  // namespace linkwatch::exporter
