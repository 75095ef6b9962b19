#pragma once
#include <memory>

#include "ReplyTimes.h"
#include "RequestCounter.h"
#include "components/Platform.h"

namespace linkwatch::exporter {

// The real platform with one addition: every SNMP engine it makes counts the
// requests it sends into the RequestCounter, and notes when its replies arrive in
// the ReplyTimes, set before the control that owns the engine is made (the control
// makes its engine while it is constructed). That is how the exporter tells each
// device's requests per poll cycle, and when each value was read, using only the
// control's public members.
class CountingPlatform final : public Platform {
 public:
  explicit CountingPlatform(std::shared_ptr<Platform> real) : real_(std::move(real)) {}

  // The counter and reply times of the next control made on this thread; none:
  // engines neither count nor note.
  void CountNextEngineInto(std::shared_ptr<RequestCounter> counter,
                           std::shared_ptr<ReplyTimes> replyTimes) {
    nextCounter_ = std::move(counter);
    nextReplyTimes_ = std::move(replyTimes);
  }

  std::unique_ptr<SnmpEngine> NewSnmpEngine() override;
  std::unique_ptr<GridSurface> NewGrid() override { return real_->NewGrid(); }
  std::unique_ptr<Timer> NewTimer() override { return real_->NewTimer(); }
  std::unique_ptr<DnsResolver> NewDnsResolver() override { return real_->NewDnsResolver(); }
  std::unique_ptr<DeviceCatalog> NewDeviceCatalog() override { return real_->NewDeviceCatalog(); }
  std::shared_ptr<MibTree> Mibs() override { return real_->Mibs(); }
  const Clock& GetClock() const override { return real_->GetClock(); }
  const RegionalSettings& GetRegionalSettings() const override {
    return real_->GetRegionalSettings();
  }
  const TextMeasure& GetTextMeasure() const override { return real_->GetTextMeasure(); }
  Clipboard& GetClipboard() override { return real_->GetClipboard(); }
  MessageBox& GetMessageBox() override { return real_->GetMessageBox(); }

 private:
  std::shared_ptr<Platform> real_;
  std::shared_ptr<RequestCounter> nextCounter_;
  std::shared_ptr<ReplyTimes> nextReplyTimes_;
};

}  // namespace linkwatch::exporter
