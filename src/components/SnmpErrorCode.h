#pragma once
#include <cstdint>

namespace linkwatch {

// ErrorCode of an SnmpMessage response. 0 is success; every failure has its own
// code and the message's ErrorText says in plain English what went wrong and what
// the user can do about it. The table is documented in docs/snmp-engine.md.
enum SnmpErrorCode : int32_t {
  kSnmpSuccess = 0,
  kSnmpTimeout = 31001,          // no answer within the time-out and retries
  kSnmpWriteRefused = 31002,     // notWritable, readOnly, noAccess, authorizationError,
                                 // noCreation; v1 noSuchName/readOnly on a set
  kSnmpAuthFailure = 31003,      // unknown v3 user, wrong password, wrong digest,
                                 // decryption failure, unsupported security level
  kSnmpTooBig = 31004,           // the answer would not fit one message
  kSnmpNoSuchName = 31005,       // v1 noSuchName on a get or get-next
  kSnmpBadValue = 31006,         // badValue, wrongType, wrongLength, wrongEncoding,
                                 // wrongValue, inconsistentValue
  kSnmpAgentError = 31007,       // genErr, resourceUnavailable, commitFailed,
                                 // undoFailed, inconsistentName and any other status
  kSnmpSendFailed = 31008,       // the request could not be sent (bad address,
                                 // no route, socket error)
  kSnmpBadSettings = 31009,      // the message's own settings are unusable (unknown
                                 // version, auth or privacy code, short password)
  kSnmpReadRefused = 31010,      // noAccess or authorizationError on a get, get-next
                                 // or get-bulk (the security level or view forbids it)
};

}  // namespace linkwatch
