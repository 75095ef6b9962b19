#include "SystemSummary.h"

#include "common/DateFunctions.h"
#include "common/Globals.h"
#include "control/InterfaceList.h"

namespace linkwatch::cli {

SystemSummary SystemSummary::Of(const InterfaceList& control) {
  SystemSummary summary;
  summary.SysName = control.SysName();
  summary.SysDescr = control.SysDescr();
  summary.SystemOID = control.SystemOID();
  summary.SysUpTime = control.SysUpTime();
  // The boot time is derived from the up-time; zero until the device told it.
  if (control.LastBoot() != 0) {
    summary.LastBoot = IsoDateTime(control.LastBoot());
    const SerialDate now = Globals::GetPlatform().GetClock().Now();
    summary.UpTimeNow = (now - control.LastBoot()) * kSecondsPerDay;
  }
  summary.SysLocation = control.SysLocation();
  summary.SysContact = control.SysContact();
  summary.Vendor = control.Vendor();
  summary.MachineType = control.MachineType();
  summary.SNMPVersion = control.SNMPVersion();
  summary.InterfaceCount = control.InterfaceCount();
  summary.IP = control.IP();
  return summary;
}

}  // namespace linkwatch::cli
