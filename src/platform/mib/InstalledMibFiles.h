#pragma once
#include <string>
#include <vector>

#include "platform/mib/MibEntry.h"

namespace linkwatch {

// MIB files the user has installed (vendor MIBs and the like), read through
// net-snmp's MIB parser.
//
// Reads every module in net-snmp's MIB search path (its default path, or MIBDIRS
// when set: typically ~/.snmp/mibs and /usr/share/snmp/mibs) plus extraDirs, and
// returns every named object of the resulting tree. The parser's tree is global to
// the process and is only ever added to; calls are serialised and safe before or
// after the SNMP engine has initialised net-snmp, because only the MIB part of the
// library is touched (never init_snmp). Nothing is written to stderr: while the
// parser runs, net-snmp's log handlers are switched off (restored afterwards) and
// the process's stderr is pointed at /dev/null, so its complaints about
// unresolvable imports in incomplete MIB collections stay out of sight.
class InstalledMibFiles {
 public:
  static std::vector<MibEntry> Load(const std::vector<std::string>& extraDirs);
};

}  // namespace linkwatch
