#pragma once
#include <QObject>
#include <deque>
#include <functional>

namespace linkwatch::exporter {

class DeviceMonitor;

// Starts devices one at a time from the event loop.
//
// StartMonitoring blocks while it probes the device (name resolution, version
// detection: time-out x (retries + 1) per probe against a silent device), and the
// whole exporter runs on one thread. So each start runs from a zero-time timer,
// one per turn of the event loop: between two starts the loop delivers the other
// devices' replies and answers scrapes, and a dead device holds the rest up for
// at most its own start's probes. A failed start goes back in the queue after the
// device's RetryDelay() (5 s, doubling up to 5 minutes).
class StartQueue : public QObject {
 public:
  // onStarted runs after every start that succeeded.
  explicit StartQueue(std::function<void(DeviceMonitor&)> onStarted = {});

  void Enqueue(DeviceMonitor& device);
  size_t Waiting() const { return waiting_.size(); }

 private:
  void ScheduleNext();
  void StartNext();

  std::deque<DeviceMonitor*> waiting_;
  bool scheduled_ = false;
  std::function<void(DeviceMonitor&)> onStarted_;
};

}  // namespace linkwatch::exporter
