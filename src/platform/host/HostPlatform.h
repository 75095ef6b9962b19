#pragma once
#include <memory>

#include "components/Platform.h"

namespace linkwatch {

// How a host shows the control.
struct HostPlatformOptions {
  // A desktop host shows refusals in modal message boxes and measures text in its
  // font; a headless host (a command-line monitor) writes refusals to standard
  // error and measures text in characters.
  bool Interactive = true;
};

// The real platform: net-snmp's engine, the built-in MIB catalogue (with the
// user's installed MIB files), the device catalogue over the IEEE and IANA
// registries, the in-memory grid, and Qt's timer, resolver, clipboard, message
// box, regional settings and text measuring. It needs a Qt application object
// on the calling thread; install it once per thread before making a control:
//
//   auto app = linkwatch::QtEventLoop::EnsureApplication();
//   linkwatch::HostPlatform::InstallForThisThread();
//   linkwatch::InterfaceList control;
//
// A program that never draws (a command-line monitor, an exporter) takes
// Headless() instead: it links neither Qt Widgets nor the interactive parts.
class HostPlatform final : public Platform {
 public:
  explicit HostPlatform(HostPlatformOptions options = {});
  ~HostPlatform() override;

  // Makes a HostPlatform the calling thread's platform (Globals::Install).
  static std::shared_ptr<HostPlatform> InstallForThisThread(HostPlatformOptions options = {});

  // The platform of a host that never draws: text measured in characters,
  // refusals written to standard error.
  static std::shared_ptr<HostPlatform> Headless();

  // A platform that measures text and shows refusals with the given parts (both
  // needed: std::invalid_argument otherwise).
  HostPlatform(std::unique_ptr<TextMeasure> measure, std::unique_ptr<MessageBox> messageBox);

  std::unique_ptr<SnmpEngine> NewSnmpEngine() override;
  std::unique_ptr<GridSurface> NewGrid() override;
  std::unique_ptr<Timer> NewTimer() override;
  std::unique_ptr<DnsResolver> NewDnsResolver() override;
  std::unique_ptr<DeviceCatalog> NewDeviceCatalog() override;
  std::shared_ptr<MibTree> Mibs() override;

  const Clock& GetClock() const override;
  const RegionalSettings& GetRegionalSettings() const override;
  const TextMeasure& GetTextMeasure() const override;
  Clipboard& GetClipboard() override;
  MessageBox& GetMessageBox() override;

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace linkwatch
