#include "platform/qt/QtTimer.h"

#include <QTimer>

#include "common/EventGuard.h"

namespace linkwatch {

QtTimer::QtTimer() : timer_(std::make_unique<QTimer>()) {
  QObject::connect(timer_.get(), &QTimer::timeout, [this] { OnTimeout(); });
}

QtTimer::~QtTimer() = default;

void QtTimer::SetIntervalMs(int intervalMs) {
  intervalMs_ = intervalMs;
  ApplyState();
}

int QtTimer::IntervalMs() const { return intervalMs_; }

void QtTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  ApplyState();
}

bool QtTimer::Enabled() const { return enabled_; }

void QtTimer::SetTickHandler(std::function<void()> handler) { handler_ = std::move(handler); }

void QtTimer::ApplyState() {
  if (enabled_ && intervalMs_ > 0) {
    // Restarting on every change keeps the period equal to the newest interval.
    timer_->start(intervalMs_);
  } else {
    timer_->stop();
  }
}

void QtTimer::OnTimeout() {
  if (!enabled_ || !handler_) return;
  // The handler may disable, re-arm or even destroy this timer; work on a copy and
  // touch no member after the call.
  const std::function<void()> handler = handler_;
  EventGuard::Call("a timer tick", handler);
}

}  // namespace linkwatch
