#pragma once
#include <functional>
#include <memory>

#include "components/Platform.h"
#include "fakes/FakeClipboard.h"
#include "fakes/FakeDeviceCatalog.h"
#include "fakes/FakeDnsResolver.h"
#include "fakes/FakeMessageBox.h"
#include "fakes/FakeMibTree.h"
#include "fakes/FakeSnmpEngine.h"
#include "fakes/FakeTextMeasure.h"
#include "fakes/ManualClock.h"
#include "fakes/ManualTimer.h"
#include "fakes/PinnedRegionalSettings.h"
#include "fakes/RecordingGrid.h"

namespace linkwatch::fakes {

// An in-memory Platform for the core's unit tests. It owns a FakeMibTree, a
// ManualClock, PinnedRegionalSettings (United States), a FakeTextMeasure, a
// FakeClipboard and a FakeMessageBox, reachable through the typed accessors
// below. What it makes per control or per thread comes from the factories, which
// tests and other fakes set; making something whose factory is unset throws
// std::logic_error naming it. By default the factories make a FakeSnmpEngine,
// FakeDnsResolver and FakeDeviceCatalog; every grid is a RecordingGrid (measuring
// with the FakeTextMeasure) and every timer a ManualTimer. The Last* accessors
// reach the latest one made while its owner keeps it (a control owns its engine,
// grid and timer; Globals owns the resolver and catalogue).
//
// Typical use:
//   auto platform = std::make_shared<FakePlatform>();
//   platform->Mib().Register("IFINOCTETS", "1.3.6.1.2.1.2.2.1.10");
//   Globals::Install(platform);
class FakePlatform : public Platform {
 public:
  std::function<std::unique_ptr<SnmpEngine>()> MakeSnmpEngine;
  std::function<std::unique_ptr<DnsResolver>()> MakeDnsResolver;
  std::function<std::unique_ptr<DeviceCatalog>()> MakeDeviceCatalog;

  FakePlatform();

  std::unique_ptr<SnmpEngine> NewSnmpEngine() override;
  std::unique_ptr<GridSurface> NewGrid() override;
  std::unique_ptr<Timer> NewTimer() override;
  std::unique_ptr<DnsResolver> NewDnsResolver() override;
  std::unique_ptr<DeviceCatalog> NewDeviceCatalog() override;
  std::shared_ptr<MibTree> Mibs() override { return mibs_; }

  const Clock& GetClock() const override { return clock_; }
  const RegionalSettings& GetRegionalSettings() const override { return regional_; }
  const TextMeasure& GetTextMeasure() const override { return textMeasure_; }
  Clipboard& GetClipboard() override { return clipboard_; }
  MessageBox& GetMessageBox() override { return messageBox_; }

  // The fakes themselves, for tests to set up and inspect.
  FakeMibTree& Mib() { return *mibs_; }
  ManualClock& Time() { return clock_; }
  PinnedRegionalSettings& Regional() { return regional_; }
  FakeTextMeasure& Measure() { return textMeasure_; }
  FakeClipboard& Clip() { return clipboard_; }
  FakeMessageBox& Messages() { return messageBox_; }

  // The latest objects the default factories made; null before the first.
  FakeSnmpEngine* LastEngine() const { return lastEngine_; }
  RecordingGrid* LastGrid() const { return lastGrid_; }
  ManualTimer* LastTimer() const { return lastTimer_; }
  FakeDnsResolver* LastResolver() const { return lastResolver_; }
  FakeDeviceCatalog* LastCatalog() const { return lastCatalog_; }

 private:
  std::shared_ptr<FakeMibTree> mibs_ = std::make_shared<FakeMibTree>();
  ManualClock clock_;
  PinnedRegionalSettings regional_;
  FakeTextMeasure textMeasure_;
  FakeClipboard clipboard_;
  FakeMessageBox messageBox_;
  FakeSnmpEngine* lastEngine_ = nullptr;
  RecordingGrid* lastGrid_ = nullptr;
  ManualTimer* lastTimer_ = nullptr;
  FakeDnsResolver* lastResolver_ = nullptr;
  FakeDeviceCatalog* lastCatalog_ = nullptr;
};

}  // namespace linkwatch::fakes
