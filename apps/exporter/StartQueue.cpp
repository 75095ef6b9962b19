#include "StartQueue.h"

#include <QPointer>
#include <QTimer>
#include <iostream>

#include "DeviceMonitor.h"

namespace linkwatch::exporter {

StartQueue::StartQueue(std::function<void(DeviceMonitor&)> onStarted)
    : onStarted_(std::move(onStarted)) {}

void StartQueue::Enqueue(DeviceMonitor& device) {
  waiting_.push_back(&device);
  ScheduleNext();
}

void StartQueue::ScheduleNext() {
  if (scheduled_ || waiting_.empty()) return;
  scheduled_ = true;
  QTimer::singleShot(0, this, [this] {
    scheduled_ = false;
    StartNext();
  });
}

void StartQueue::StartNext() {
  if (waiting_.empty()) return;
  DeviceMonitor* device = waiting_.front();
  waiting_.pop_front();
  if (device->Start()) {
    if (onStarted_) onStarted_(*device);
  } else {
    const auto delay = device->RetryDelay();
    std::cerr << "linkwatch-exporter: " << device->Config().Name << ": " << device->LastError()
              << " (next try in " << delay.count() / 1000 << " s)\n";
    QTimer::singleShot(delay, this, [this, device] { Enqueue(*device); });
  }
  ScheduleNext();
}

}  // namespace linkwatch::exporter
