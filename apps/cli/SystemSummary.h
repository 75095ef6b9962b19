#pragma once
#include <cstdint>
#include <string>

namespace linkwatch {
class InterfaceList;
}

namespace linkwatch::cli {

// What the control learnt about the device, as the outputs print it.
struct SystemSummary {
  std::string SysName;
  std::string SysDescr;
  std::string SystemOID;
  double SysUpTime = 0;  // seconds, as the device said at the start
  // Seconds since the boot as of now (the device tells its up-time only when
  // monitoring starts); 0 while unknown.
  double UpTimeNow = 0;
  std::string LastBoot;  // ISO 8601 local time; empty while unknown
  std::string SysLocation;
  std::string SysContact;
  std::string Vendor;
  std::string MachineType;
  int32_t SNMPVersion = 0;
  int32_t InterfaceCount = 0;
  std::string IP;

  static SystemSummary Of(const InterfaceList& control);
};

}  // namespace linkwatch::cli
