#include "InterruptibleEngine.h"

#include <chrono>

#include "BackgroundHostLookup.h"
#include "components/SnmpErrorCode.h"
#include "platform/qt/QtEventLoop.h"

namespace linkwatch::cli {
namespace {

// One turn of the event loop while waiting; the loop checks its condition every
// few milliseconds, so this only bounds how long one RunUntil call lasts.
constexpr std::chrono::milliseconds kWaitTurn{1000};

bool StartsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

// Runs the Qt event loop until done() holds or the monitor is interrupted.
void WaitFor(const std::function<bool()>& done, const std::function<bool()>& interrupted) {
  while (!done() && !interrupted()) {
    QtEventLoop::RunUntil([&] { return done() || interrupted(); }, kWaitTurn);
  }
}

}  // namespace

InterruptibleEngine::InterruptibleEngine(std::unique_ptr<SnmpEngine> inner, Interrupted interrupted)
    : inner_(std::move(inner)), interrupted_(std::move(interrupted)) {
  inner_->SetReplyHandler([this](SnmpMessage& response) { OnInnerReply(response); });
}

InterruptibleEngine::~InterruptibleEngine() = default;

std::unique_ptr<SnmpMessage> InterruptibleEngine::NewMessage() { return inner_->NewMessage(); }

SnmpBinding InterruptibleEngine::NewBinding() { return inner_->NewBinding(); }

void InterruptibleEngine::Send(SnmpMessage& message, bool& deliverByEvent) {
  if (deliverByEvent) polling_ = true;
  if (deliverByEvent || !WaitsItself()) {
    waitedIsLast_ = false;
    inner_->Send(message, deliverByEvent);
    return;
  }
  SendAndWaitInterruptibly(message);
}

void InterruptibleEngine::SendAndWaitInterruptibly(const SnmpMessage& message) {
  waitedIsLast_ = true;
  waited_ = message;
  waited_.Bindings.Clear();
  if (interrupted_()) {
    waited_.ErrorCode = kSnmpTimeout;
    waited_.ErrorText = "The monitor was interrupted before the device was asked.";
    return;
  }
  SnmpMessage request = message;
  request.Tag = kWaitTagPrefix + std::to_string(++waits_);
  awaitedTag_ = request.Tag;
  answered_ = false;
  bool deliverByEvent = true;
  inner_->Send(request, deliverByEvent);
  if (!deliverByEvent) {
    // The wrapped engine answered at once after all.
    waited_ = inner_->LastResponse();
    answered_ = true;
  } else {
    WaitFor([this] { return answered_; }, interrupted_);
  }
  awaitedTag_.clear();
  waitedIsLast_ = true;
  if (!answered_) {
    waited_.ErrorCode = kSnmpTimeout;
    waited_.ErrorText = "The monitor was interrupted while it waited for the device.";
  }
  waited_.Tag = message.Tag;
}

void InterruptibleEngine::OnInnerReply(SnmpMessage& response) {
  if (StartsWith(response.Tag, kWaitTagPrefix)) {
    // The answer waited for, or the late answer of an abandoned wait.
    if (!awaitedTag_.empty() && response.Tag == awaitedTag_) {
      waited_ = response;
      answered_ = true;
    }
    return;
  }
  waitedIsLast_ = false;
  if (handler_) handler_(response);
}

SnmpMessage& InterruptibleEngine::LastResponse() {
  return waitedIsLast_ ? waited_ : inner_->LastResponse();
}

SnmpMessage& InterruptibleEngine::LastRequest() { return inner_->LastRequest(); }

void InterruptibleEngine::SetReplyHandler(ReplyHandler handler) { handler_ = std::move(handler); }

std::string InterruptibleEngine::ResolveHost(const std::string& name) {
  if (!WaitsItself()) return inner_->ResolveHost(name);
  if (interrupted_()) return {};
  const BackgroundHostLookup lookup(name);
  WaitFor([&] { return lookup.Done(); }, interrupted_);
  return lookup.Address();
}

void InterruptibleEngine::SetTransport(const SnmpTransport& transport) {
  inner_->SetTransport(transport);
}

SnmpTransport InterruptibleEngine::Transport() const { return inner_->Transport(); }

}  // namespace linkwatch::cli
