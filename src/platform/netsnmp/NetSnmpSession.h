#pragma once
#include <memory>
#include <vector>

#include "platform/netsnmp/SessionSettings.h"
#include "platform/netsnmp/SnmpFailure.h"

namespace linkwatch::netsnmp {

// Owns one net-snmp single-session handle (snmp_sess_open / snmp_sess_close).
//
// For SNMPv3 the agent's engine ID is discovered when the session opens (a
// blocking exchange), and remembered per agent and port for later sessions, so
// only the first session to an agent waits for it. After opening, net-snmp's
// process-wide USM user entry for this user and engine is rebuilt from this
// session's passphrases, because net-snmp would otherwise keep using the keys of
// the first session ever opened for that user (a corrected password would never
// take effect).
class NetSnmpSession {
 public:
  // The open session, or null with failure filled (bad settings, no answer to the
  // SNMPv3 discovery, socket error).
  static std::unique_ptr<NetSnmpSession> Open(const SessionSettings& settings,
                                              SnmpFailure& failure);
  ~NetSnmpSession();
  NetSnmpSession(const NetSnmpSession&) = delete;
  NetSnmpSession& operator=(const NetSnmpSession&) = delete;

  // The opaque handle the snmp_sess_* calls take.
  void* Handle() const { return handle_; }
  int Socket() const;
  const SessionSettings& Settings() const { return settings_; }
  // net-snmp's error number of the last failed call on this session.
  int LastLibraryError() const;

  // Forgets the engine ID learnt for the settings' agent and port, so the next
  // session to it discovers the engine again (after an agent restart, say).
  static void ForgetEngine(const SessionSettings& settings);

 private:
  NetSnmpSession(void* handle, SessionSettings settings)
      : handle_(handle), settings_(std::move(settings)) {}
  // SNMPv3: learns the agent's engine unless already known, and rebuilds net-snmp's
  // USM user entry from this session's keys.
  bool PrepareUser(const std::vector<unsigned char>& knownEngine, SnmpFailure& failure);

  void* handle_;
  SessionSettings settings_;
};

}  // namespace linkwatch::netsnmp
