#include "platform/host/HostPlatform.h"

#include <QGuiApplication>

#include "common/Globals.h"
#include "platform/catalog/RegistryDeviceCatalog.h"
#include "platform/grid/MemoryGrid.h"
#include "platform/host/CharacterTextMeasure.h"
#include "platform/host/StderrMessageBox.h"
#include "platform/mib/BuiltinMibTree.h"
#include "platform/netsnmp/NetSnmpEngine.h"
#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDnsResolver.h"
#include "platform/qt/QtMessageBox.h"
#include "platform/qt/QtRegionalSettings.h"
#include "platform/qt/QtTextMeasure.h"
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

HostPlatform::HostPlatform(HostPlatformOptions options) : parts_(std::make_unique<Parts>()) {
  // Fonts need a GUI application; a headless host counts characters instead.
  const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
  if (options.Interactive && gui) {
    parts_->measure = std::make_unique<QtTextMeasure>();
    parts_->messageBox = std::make_unique<QtMessageBox>();
  } else {
    parts_->measure = std::make_unique<CharacterTextMeasure>();
    parts_->messageBox = std::make_unique<StderrMessageBox>();
  }
}

HostPlatform::~HostPlatform() = default;

std::shared_ptr<HostPlatform> HostPlatform::InstallForThisThread(HostPlatformOptions options) {
  auto platform = std::make_shared<HostPlatform>(options);
  Globals::Install(platform);
  return platform;
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
