#pragma once
#include <memory>

#include "components/Clipboard.h"
#include "components/Clock.h"
#include "components/DeviceCatalog.h"
#include "components/DnsResolver.h"
#include "components/GridSurface.h"
#include "components/MessageBox.h"
#include "components/MibTree.h"
#include "components/RegionalSettings.h"
#include "components/SnmpEngine.h"
#include "components/TextMeasure.h"
#include "components/Timer.h"

namespace linkwatch {

// Every outside service the core uses, in one place (one per host thread). The
// real platform is built from the adapters; core tests use an in-memory one.
class Platform {
 public:
  virtual ~Platform() = default;

  // Made per control.
  virtual std::unique_ptr<SnmpEngine> NewSnmpEngine() = 0;
  virtual std::unique_ptr<GridSurface> NewGrid() = 0;
  virtual std::unique_ptr<Timer> NewTimer() = 0;

  // Made once per thread and shared by its controls.
  virtual std::unique_ptr<DnsResolver> NewDnsResolver() = 0;
  virtual std::unique_ptr<DeviceCatalog> NewDeviceCatalog() = 0;
  virtual std::shared_ptr<MibTree> Mibs() = 0;

  virtual const Clock& GetClock() const = 0;
  virtual const RegionalSettings& GetRegionalSettings() const = 0;
  virtual const TextMeasure& GetTextMeasure() const = 0;
  virtual Clipboard& GetClipboard() = 0;
  virtual MessageBox& GetMessageBox() = 0;
};

}  // namespace linkwatch
