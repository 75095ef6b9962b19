#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "components/SnmpEngine.h"
#include "components/SnmpMessage.h"
#include "platform/netsnmp/SnmpFailure.h"

namespace linkwatch::netsnmp {

// Everything that decides which net-snmp session an exchange needs: where the agent
// is, how patiently to wait, and the SNMP version with its credentials. Messages
// with equal settings share a session.
struct SessionSettings {
  std::string Agent;
  int Port = 161;
  int TimeoutMs = 1000;
  int Retries = 1;
  int16_t Version = 2;
  std::string Community;
  SnmpSecurity Security;

  static SessionSettings From(const SnmpMessage& message, const SnmpTransport& transport);

  // The passphrases in use: the password, or its key source when only that is set.
  std::string AuthPassphrase() const;
  std::string PrivPassphrase() const;

  // A failure when these settings cannot make a session: an agent that is not a
  // dotted IPv4 address, an unknown version, security model, authentication or
  // privacy code, privacy without authentication, or a passphrase that is too short.
  std::optional<SnmpFailure> Check() const;

  // Identity of the session these settings need.
  std::string Key() const;
  // The agent, port and SNMPv3 user name: sessions with the same identity but other
  // keys cannot coexist in net-snmp's user table.
  std::string UserKey() const;
  // "127.0.0.1 port 161", as the error texts name the agent.
  std::string Where() const;
  // "community" or "SNMPv3 user 'name'", as the error texts name the credentials.
  std::string Credentials() const;
};

}  // namespace linkwatch::netsnmp
