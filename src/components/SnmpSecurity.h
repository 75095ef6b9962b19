#pragma once
#include <cstdint>
#include <string>

namespace linkwatch {

// SNMPv3 authentication codes (SNMPAuthType).
enum SnmpAuthType : int16_t {
  kAuthNone = 0,
  kAuthMd5 = 1,
  kAuthSha1 = 2,
  kAuthSha224 = 3,
  kAuthSha256 = 4,
  kAuthSha384 = 5,
  kAuthSha512 = 6,
};

// SNMPv3 privacy codes (SNMPEncryptType).
enum SnmpPrivType : int16_t {
  kPrivNone = 0,
  kPrivDes = 1,
  kPrivAes128 = 2,
  kPrivAes192 = 3,
  kPrivAes256 = 4,
};

// The SNMPv3 security settings of a message (user-based security model).
// Each password is given twice: once as the passphrase and once as the source of
// the localised key; the engine uses the passphrase and keeps the two in step.
struct SnmpSecurity {
  int32_t Model = 3;  // 3 = user-based security model, the only one supported
  std::string AuthPassword;
  std::string AuthKeySource;
  int16_t AuthType = kAuthNone;
  std::string PrivPassword;
  std::string PrivKeySource;
  int16_t PrivType = kPrivNone;
  std::string UserName;
  std::string Context;
};

}  // namespace linkwatch
