#pragma once
#include <functional>
#include <memory>

#include "components/Platform.h"

namespace linkwatch::cli {

// The monitor's platform: another platform (the real one) whose SNMP engines are
// wrapped in InterruptibleEngine, so that an interrupt ends a control's start
// promptly. Every other service is the wrapped platform's own.
class InterruptiblePlatform final : public Platform {
 public:
  InterruptiblePlatform(std::shared_ptr<Platform> inner, std::function<bool()> interrupted);

  std::unique_ptr<SnmpEngine> NewSnmpEngine() override;
  std::unique_ptr<GridSurface> NewGrid() override { return inner_->NewGrid(); }
  std::unique_ptr<Timer> NewTimer() override { return inner_->NewTimer(); }
  std::unique_ptr<DnsResolver> NewDnsResolver() override { return inner_->NewDnsResolver(); }
  std::unique_ptr<DeviceCatalog> NewDeviceCatalog() override {
    return inner_->NewDeviceCatalog();
  }
  std::shared_ptr<MibTree> Mibs() override { return inner_->Mibs(); }

  const Clock& GetClock() const override { return inner_->GetClock(); }
  const RegionalSettings& GetRegionalSettings() const override {
    return inner_->GetRegionalSettings();
  }
  const TextMeasure& GetTextMeasure() const override { return inner_->GetTextMeasure(); }
  Clipboard& GetClipboard() override { return inner_->GetClipboard(); }
  MessageBox& GetMessageBox() override { return inner_->GetMessageBox(); }

 private:
  std::shared_ptr<Platform> inner_;
  std::function<bool()> interrupted_;
};

}  // namespace linkwatch::cli
