#include "platform/netsnmp/SessionSettings.h"

#include <arpa/inet.h>

namespace linkwatch::netsnmp {

namespace {

// USM derives keys from passphrases of at least eight characters.
constexpr size_t kMinimumPassphrase = 8;

bool IsDottedIpv4(const std::string& text) {
  in_addr address{};
  return inet_pton(AF_INET, text.c_str(), &address) == 1;
}

SnmpFailure BadSettings(std::string text) { return {kSnmpBadSettings, std::move(text)}; }

}  // namespace

SessionSettings SessionSettings::From(const SnmpMessage& message,
                                      const SnmpTransport& transport) {
  SessionSettings settings;
  settings.Agent = message.Agent;
  settings.Port = transport.Port;
  settings.TimeoutMs = transport.TimeoutMs;
  settings.Retries = transport.Retries;
  settings.Version = message.Version;
  if (message.Version == 3) {
    settings.Security = message.Security;
  } else {
    settings.Community = message.Community;
  }
  return settings;
}

std::string SessionSettings::AuthPassphrase() const {
  return Security.AuthPassword.empty() ? Security.AuthKeySource : Security.AuthPassword;
}

std::string SessionSettings::PrivPassphrase() const {
  return Security.PrivPassword.empty() ? Security.PrivKeySource : Security.PrivPassword;
}

std::optional<SnmpFailure> SessionSettings::Check() const {
  if (!IsDottedIpv4(Agent)) {
    return SnmpFailure{kSnmpSendFailed,
                       "The agent address '" + Agent +
                           "' is not a dotted IPv4 address such as 192.0.2.1. Resolve the "
                           "device name to its address first."};
  }
  if (Port < 1 || Port > 65535) {
    return BadSettings("The SNMP port " + std::to_string(Port) +
                       " is not valid. Use a UDP port from 1 to 65535 (161 is usual).");
  }
  if (TimeoutMs < 1 || Retries < 0) {
    return BadSettings("The SNMP time-out (" + std::to_string(TimeoutMs) + " ms) and retries (" +
                       std::to_string(Retries) +
                       ") are not valid. Use a time-out of at least 1 ms and 0 or more retries.");
  }
  if (Version != 1 && Version != 2 && Version != 3) {
    return BadSettings("SNMP version " + std::to_string(Version) +
                       " is not supported. Use 1 (SNMPv1), 2 (SNMPv2c) or 3 (SNMPv3).");
  }
  if (Version != 3) return std::nullopt;

  if (Security.Model != 3) {
    return BadSettings("SNMPv3 security model " + std::to_string(Security.Model) +
                       " is not supported. Use 3 (the user-based security model).");
  }
  if (Security.UserName.empty()) {
    return BadSettings("No SNMPv3 user name is set. Enter the user name configured on the device.");
  }
  if (Security.AuthType < kAuthNone || Security.AuthType > kAuthSha512) {
    return BadSettings("SNMPv3 authentication type " + std::to_string(Security.AuthType) +
                       " is not known. Use 0 (none), 1 (MD5), 2 (SHA-1), 3 (SHA-224), "
                       "4 (SHA-256), 5 (SHA-384) or 6 (SHA-512).");
  }
  if (Security.PrivType < kPrivNone || Security.PrivType > kPrivAes256) {
    return BadSettings("SNMPv3 privacy type " + std::to_string(Security.PrivType) +
                       " is not known. Use 0 (none), 1 (DES), 2 (AES-128), 3 (AES-192) or "
                       "4 (AES-256).");
  }
  if (Security.AuthType == kAuthNone && Security.PrivType != kPrivNone) {
    return BadSettings("SNMPv3 privacy needs authentication. Choose an authentication type for "
                       "user '" + Security.UserName + "' or turn privacy off.");
  }
  if (Security.AuthType != kAuthNone && AuthPassphrase().size() < kMinimumPassphrase) {
    return BadSettings("The SNMPv3 authentication password of user '" + Security.UserName +
                       "' is shorter than 8 characters. Enter the password configured on the "
                       "device.");
  }
  if (Security.PrivType != kPrivNone && PrivPassphrase().size() < kMinimumPassphrase) {
    return BadSettings("The SNMPv3 privacy password of user '" + Security.UserName +
                       "' is shorter than 8 characters. Enter the password configured on the "
                       "device.");
  }
  return std::nullopt;
}

std::string SessionSettings::Key() const {
  // Fields are separated by a character no setting contains in practice; the
  // lengths keep two different settings from ever joining into one key.
  std::string key;
  key.reserve(64 + Agent.size() + Community.size());
  auto add = [&key](const std::string& part) {
    key += std::to_string(part.size());
    key += ':';
    key += part;
    key += '|';
  };
  add(Agent);
  add(std::to_string(Port));
  add(std::to_string(TimeoutMs));
  add(std::to_string(Retries));
  add(std::to_string(Version));
  add(Community);
  if (Version == 3) {
    add(Security.UserName);
    add(Security.Context);
    add(std::to_string(Security.AuthType));
    add(AuthPassphrase());
    add(std::to_string(Security.PrivType));
    add(PrivPassphrase());
  }
  return key;
}

std::string SessionSettings::UserKey() const {
  return Agent + ":" + std::to_string(Port) + ":" + Security.UserName;
}

std::string SessionSettings::Where() const { return Agent + " port " + std::to_string(Port); }

std::string SessionSettings::Credentials() const {
  if (Version == 3) return "SNMPv3 user '" + Security.UserName + "'";
  return "community";
}

}  // namespace linkwatch::netsnmp
