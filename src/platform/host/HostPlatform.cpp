#include "platform/host/HostPlatform.h"

#include <stdexcept>

#include "platform/catalog/RegistryDeviceCatalog.h"
#include "platform/grid/MemoryGrid.h"
#include "platform/host/CharacterTextMeasure.h"
#include "platform/host/StderrMessageBox.h"
#include "platform/mib/BuiltinMibTree.h"
#include "platform/netsnmp/NetSnmpEngine.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDnsResolver.h"
#include "platform/qt/QtRegionalSettings.h"
#include "platform/qt/QtTimer.h"
#include "platform/system/SystemClock.h"

namespace linkwatch {

struct HostPlatform::Parts {
  std::shared_ptr<BuiltinMibTree> mibs = std::make_shared<BuiltinMibTree>();
  SystemClock clock;
  QtRegionalSettings regional;
  std::unique_ptr<TextMeasure> measure;
  QtClipboard clipboard;
  std::unique_ptr<MessageBox> messageBox;
};

// The interactive choice (HostPlatform(HostPlatformOptions)) is made in
// HostPlatformInteractive.cpp: kept apart, a headless program does not link Qt Widgets.
HostPlatform::HostPlatform(std::unique_ptr<TextMeasure> measure,
                           std::unique_ptr<MessageBox> messageBox)
    : parts_(std::make_unique<Parts>()) {
  if (!measure || !messageBox) {
    throw std::invalid_argument("a host platform needs a text measure and a message box");
  }
  parts_->measure = std::move(measure);
  parts_->messageBox = std::move(messageBox);
}

HostPlatform::~HostPlatform() = default;

std::shared_ptr<HostPlatform> HostPlatform::Headless() {
  return std::make_shared<HostPlatform>(std::make_unique<CharacterTextMeasure>(),
                                        std::make_unique<StderrMessageBox>());
}

std::unique_ptr<SnmpEngine> HostPlatform::NewSnmpEngine() {
  return std::make_unique<NetSnmpEngine>(parts_->mibs);
}

std::unique_ptr<GridSurface> HostPlatform::NewGrid() {
  return std::make_unique<MemoryGrid>(parts_->measure.get());
}

std::unique_ptr<Timer> HostPlatform::NewTimer() { return std::make_unique<QtTimer>(); }

std::unique_ptr<DnsResolver> HostPlatform::NewDnsResolver() {
  return std::make_unique<QtDnsResolver>();
}

std::unique_ptr<DeviceCatalog> HostPlatform::NewDeviceCatalog() {
  return std::make_unique<RegistryDeviceCatalog>();
}

std::shared_ptr<MibTree> HostPlatform::Mibs() { return parts_->mibs; }

const Clock& HostPlatform::GetClock() const { return parts_->clock; }

const RegionalSettings& HostPlatform::GetRegionalSettings() const { return parts_->regional; }

const TextMeasure& HostPlatform::GetTextMeasure() const { return *parts_->measure; }

Clipboard& HostPlatform::GetClipboard() { return parts_->clipboard; }

MessageBox& HostPlatform::GetMessageBox() { return *parts_->messageBox; }

}  // namespace linkwatch
