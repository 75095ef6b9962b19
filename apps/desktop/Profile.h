#pragma once
#include <QString>

#include "ConnectionSettings.h"

namespace linkwatch::desktop {

// Everything the user can save and reopen: the connection, the statistics shown
// and the polling settings. The window starts from these defaults every run.
struct Profile {
  static constexpr const char* kDefaultStatistics =
      "Interface Name,Interface Status Icon,Interface Type,Speed,High Speed,In Traffic 64,"
      "Out Traffic 64,In Utilization 64,Out Utilization 64,In Errors,Out Errors";

  ConnectionSettings Connection;
  QString StatisticsList = kDefaultStatistics;
  int RefreshInterval = 30;  // seconds, 5 to 300
  bool AutoUpdate = true;
  // Walk every statistic's column at once (the control's Synchronous).
  bool ParallelWalks = false;

  bool operator==(const Profile&) const = default;
};

}  // namespace linkwatch::desktop
