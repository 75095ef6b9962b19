#pragma once
#include <QString>

namespace linkwatch::desktop {

// What the connection bar holds: where the device is and how to talk to it.
// Version follows the control's SNMPVersion: 3 is SNMPv3; 0 (auto), 1 and 2 (2c)
// let the control find the version the device answers. AuthType and PrivType are
// the engine's codes (SnmpAuthType, SnmpPrivType).
struct ConnectionSettings {
  QString Target;
  int Port = 161;
  int Version = 0;
  QString Community;
  QString User;
  QString Context;
  int AuthType = 0;
  QString AuthPass;
  int PrivType = 0;
  QString PrivPass;

  bool operator==(const ConnectionSettings&) const = default;
};

}  // namespace linkwatch::desktop
