#pragma once
#include <string>

namespace linkwatch {

// The process-wide set-up of the net-snmp library.
//
// net-snmp keeps global state (security models, the USM user table, transports,
// the MIB parser), so it is initialised exactly once per process, whichever part of
// Linkwatch needs it first: the SNMP engine, or the MIB database reading installed
// MIB files. Both call EnsureInitialised() before touching any net-snmp function.
//
// The set-up is quiet and self-contained:
//   - no snmp.conf of the user or the system is read, and no MIB module is loaded
//     (object names come from Linkwatch's own MIB database; the MIB parser is still
//     initialised, so MIB files can be read explicitly afterwards);
//   - net-snmp writes its persistent files only under PersistentDirectory(), a
//     private directory in the system's temporary directory, and only when asked;
//   - nothing is logged on stderr: log messages are discarded;
//   - no alarm signal is used (timeouts are driven by the caller's event loop).
class NetSnmpLibrary {
 public:
  // Initialises net-snmp once for the whole process; cheap and thread-safe on every
  // later call.
  static void EnsureInitialised();

  // The directory given to net-snmp for its persistent files.
  static std::string PersistentDirectory();
};

}  // namespace linkwatch
