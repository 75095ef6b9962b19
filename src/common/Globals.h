#pragma once
#include <memory>

#include "components/Clock.h"
#include "components/DeviceCatalog.h"
#include "components/Platform.h"

namespace linkwatch {

class ControlForm;
class StatisticTemplates;

// The objects every control of a thread shares, one set per thread.
//
// A host (or a test) installs the thread's Platform first; the shared objects
// are then created on first use from it and live until Reset or the end of the
// thread: the StatisticTemplates (loaded from the statistics file when created),
// the DeviceCatalog, the ControlForm with the thread's DnsResolver, and
// SharedLastBoot, the boot time of the device last derived from its up-time.
class Globals {
 public:
  // Makes platform the thread's platform and releases the shared objects made
  // from an earlier one (they belong to it).
  static void Install(std::shared_ptr<Platform> platform);
  static bool Installed();

  // The thread's platform; throws std::logic_error when none is installed.
  static Platform& GetPlatform();
  static std::shared_ptr<Platform> SharedPlatform();

  static std::shared_ptr<StatisticTemplates> Templates();
  static std::shared_ptr<DeviceCatalog> Catalog();
  static std::shared_ptr<ControlForm> Form();

  // Serial date; zero until set.
  static SerialDate SharedLastBoot();
  static void SetSharedLastBoot(SerialDate when);

  // Releases the thread's shared objects and its platform (tests, host shutdown).
  // Objects that controls still hold stay alive with them.
  static void Reset();
};

}  // namespace linkwatch
