#include "platform/netsnmp/FailureTexts.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <array>

#include "components/SnmpRequestKind.h"

namespace linkwatch::netsnmp {

namespace {

std::string AuthName(int16_t type) {
  switch (type) {
    case kAuthMd5: return "MD5";
    case kAuthSha1: return "SHA-1";
    case kAuthSha224: return "SHA-224";
    case kAuthSha256: return "SHA-256";
    case kAuthSha384: return "SHA-384";
    case kAuthSha512: return "SHA-512";
    default: return "none";
  }
}

std::string PrivName(int16_t type) {
  switch (type) {
    case kPrivDes: return "DES";
    case kPrivAes128: return "AES-128";
    case kPrivAes192: return "AES-192";
    case kPrivAes256: return "AES-256";
    default: return "none";
  }
}

std::string SecurityLevelName(const SessionSettings& settings) {
  if (settings.Security.AuthType == kAuthNone) return "noAuthNoPriv";
  if (settings.Security.PrivType == kPrivNone) return "authNoPriv";
  return "authPriv";
}

std::string ObjectPhrase(const std::string& oid) { return oid.empty() ? "the object" : oid; }

std::string LibraryErrorText(int libraryError) {
  const char* text = snmp_api_errstring(libraryError);
  return text ? text : "unknown error";
}

}  // namespace

SnmpFailure FailureTexts::Timeout(const SessionSettings& settings) {
  const std::string retries =
      std::to_string(settings.Retries) + (settings.Retries == 1 ? " retry" : " retries");
  std::string check;
  if (settings.Version != 3) {
    check = "the community and SNMP version " + std::string(settings.Version == 1 ? "1" : "2c") +
            " (an agent ignores requests with an unknown community)";
  } else if (settings.Security.PrivType != kPrivNone) {
    check = "SNMPv3 user '" + settings.Security.UserName +
            "' with this privacy password and type (an agent ignores requests it cannot "
            "decrypt)";
  } else {
    check = "SNMPv3 user '" + settings.Security.UserName + "'";
  }
  if (settings.Version == 3 && !settings.Security.Context.empty()) {
    check += ", and that it knows the context '" + settings.Security.Context +
             "' (an agent may ignore requests for a context it does not know)";
  }
  return {kSnmpTimeout, "No answer from the SNMP agent at " + settings.Where() + " within " +
                            std::to_string(settings.TimeoutMs) + " ms and " + retries +
                            ". Check that the device is reachable, that its SNMP agent listens "
                            "on that port, and that it accepts " + check + "."};
}

SnmpFailure FailureTexts::FromLibraryError(int libraryError, const SessionSettings& settings) {
  const std::string where = settings.Where();
  const std::string user = "SNMPv3 user '" + settings.Security.UserName + "'";
  switch (libraryError) {
    case SNMPERR_TIMEOUT:
      return Timeout(settings);
    case kUnmatchedAnswers:
      return {kSnmpTimeout,
              "Answers came from the SNMP agent at " + where + " but none matched the request within " +
                  std::to_string(settings.TimeoutMs) + " ms and " +
                  std::to_string(settings.Retries) +
                  (settings.Retries == 1 ? " retry" : " retries") +
                  " (a wrong request id, or a damaged or cut message). Check the device's "
                  "SNMP agent and anything between it and this computer that changes SNMP "
                  "messages."};
    case SNMPERR_UNKNOWN_USER_NAME:
    case SNMPERR_USM_UNKNOWNSECURITYNAME:
      return {kSnmpAuthFailure, "The SNMP agent at " + where + " does not know the " + user +
                                    ". Check the user name and that the user is configured "
                                    "on the device."};
    case SNMPERR_AUTHENTICATION_FAILURE:
    case SNMPERR_USM_AUTHENTICATIONFAILURE:
      return {kSnmpAuthFailure, "The SNMP agent at " + where +
                                    " rejected the authentication of " + user +
                                    " (wrong digest). Check the authentication password and "
                                    "the authentication type (" +
                                    AuthName(settings.Security.AuthType) + ")."};
    case SNMPERR_DECRYPTION_ERR:
    case SNMPERR_USM_DECRYPTIONERROR:
      return {kSnmpAuthFailure, "The SNMP agent at " + where +
                                    " could not decrypt the request of " + user +
                                    ". Check the privacy password and the privacy type (" +
                                    PrivName(settings.Security.PrivType) + ")."};
    case SNMPERR_UNSUPPORTED_SEC_LEVEL:
    case SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL:
      return {kSnmpAuthFailure, "The SNMP agent at " + where +
                                    " does not accept the security level " +
                                    SecurityLevelName(settings) + " for " + user +
                                    ". Check whether the user needs authentication and "
                                    "privacy, and their types."};
    case SNMPERR_NOT_IN_TIME_WINDOW:
    case SNMPERR_USM_NOTINTIMEWINDOW:
      return {kSnmpAuthFailure, "The SNMPv3 clock of the agent at " + where +
                                    " did not match the request of " + user +
                                    " (notInTimeWindow). The engine has resynchronised; try "
                                    "again, and check the authentication password if this "
                                    "repeats."};
    case SNMPERR_UNKNOWN_ENG_ID:
    case SNMPERR_USM_UNKNOWNENGINEID:
      return {kSnmpAuthFailure, "The SNMP agent at " + where +
                                    " did not recognise its SNMPv3 engine ID in the request of " +
                                    user +
                                    " (the agent may have restarted). Try again; the engine "
                                    "discovers the agent afresh."};
    case SNMPERR_USM_GENERICERROR:
    case SNMPERR_USM_ENCRYPTIONERROR:
    case SNMPERR_USM_PARSEERROR:
    case SNMPERR_KT_NOT_AVAILABLE:
      return {kSnmpAuthFailure, "SNMPv3 security processing failed for " + user + " at " + where +
                                    " (" + LibraryErrorText(libraryError) +
                                    "). Check the authentication and privacy settings."};
    case SNMPERR_TOO_LONG:
      return {kSnmpTooBig, "The request to the SNMP agent at " + where +
                               " is too long for one SNMP message. Ask for fewer objects at a "
                               "time."};
    case SNMPERR_BAD_ADDRESS:
      return {kSnmpSendFailed, "The agent address " + where +
                                   " cannot be used. Check the device's IPv4 address."};
    case SNMPERR_BAD_SENDTO:
    case SNMPERR_BAD_RECVFROM:
    case SNMPERR_BAD_SESSION:
    case SNMPERR_GENERR:
    case SNMPERR_TRANSPORT_NO_CONFIG:
    case SNMPERR_TRANSPORT_CONFIG_ERROR:
      return {kSnmpSendFailed, "The request to the SNMP agent at " + where +
                                   " could not be sent (" + LibraryErrorText(libraryError) +
                                   "). Check the network connection and the route to the "
                                   "device."};
    case SNMPERR_BAD_PARSE:
    case SNMPERR_INVALID_MSG:
    case SNMPERR_BAD_VERSION:
    case SNMPERR_ASN_PARSE_ERR:
      return {kSnmpAgentError, "The answer of the SNMP agent at " + where +
                                   " could not be read (" + LibraryErrorText(libraryError) +
                                   "). The device may not speak this SNMP version correctly."};
    default:
      return {kSnmpAgentError, "The exchange with the SNMP agent at " + where + " failed (" +
                                   LibraryErrorText(libraryError) + ")."};
  }
}

SnmpFailure FailureTexts::FromErrorStatus(long status, const std::string& oid, int16_t kind,
                                          const SessionSettings& settings) {
  const std::string where = settings.Where();
  const std::string name = StatusName(status);
  const bool isSet = kind == kSnmpSet;
  switch (status) {
    case SNMP_ERR_TOOBIG:
      if (kind == kSnmpGetNext || kind == kSnmpGetBulk) {
        // The engine has already asked again for one value at a time.
        return {kSnmpTooBig, "The SNMP agent at " + where +
                                 " cannot send the object after " + ObjectPhrase(oid) +
                                 " (tooBig, even with one value per message): its value is "
                                 "larger than one SNMP message can carry."};
      }
      return {kSnmpTooBig, "The answer of the SNMP agent at " + where +
                               " would not fit in one SNMP message (tooBig). Ask for fewer "
                               "objects at a time."};
    case SNMP_ERR_NOSUCHNAME:
      if (!isSet) {
        return {kSnmpNoSuchName, "The SNMP agent at " + where + " has no object " +
                                     ObjectPhrase(oid) +
                                     " (noSuchName). Check the object identifier and that the "
                                     "device supports it."};
      }
      [[fallthrough]];
    case SNMP_ERR_NOACCESS:
    case SNMP_ERR_AUTHORIZATIONERROR:
      if (!isSet && status != SNMP_ERR_NOSUCHNAME) {
        return {kSnmpReadRefused,
                "The SNMP agent at " + where + " refused to let the " + settings.Credentials() +
                    " read " + ObjectPhrase(oid) + " (" + name +
                    "). Check the security level the device requires for it (" +
                    (settings.Version == 3 ? "this request used " + SecurityLevelName(settings)
                                           : std::string("SNMPv3 authentication or privacy")) +
                    ") and the objects the device lets these credentials see."};
      }
      [[fallthrough]];
    case SNMP_ERR_READONLY:
    case SNMP_ERR_NOCREATION:
    case SNMP_ERR_NOTWRITABLE:
      return {kSnmpWriteRefused, "The SNMP agent at " + where + " refused to write " +
                                     ObjectPhrase(oid) + " (" + name +
                                     "). Check that the object is writable on the device and "
                                     "that the " + settings.Credentials() +
                                     " has write access."};
    case SNMP_ERR_BADVALUE:
    case SNMP_ERR_WRONGTYPE:
    case SNMP_ERR_WRONGLENGTH:
    case SNMP_ERR_WRONGENCODING:
    case SNMP_ERR_WRONGVALUE:
    case SNMP_ERR_INCONSISTENTVALUE:
      return {kSnmpBadValue, "The SNMP agent at " + where + " rejected the value for " +
                                 ObjectPhrase(oid) + " (" + name +
                                 "). Check the value and its type against what the object "
                                 "accepts."};
    default:
      return {kSnmpAgentError, "The SNMP agent at " + where + " could not process the request" +
                                   (oid.empty() ? std::string() : " for " + oid) + " (" + name +
                                   "). Try again later or check the device."};
  }
}

std::string FailureTexts::StatusName(long status) {
  static const std::array<const char*, 19> names = {
      "noError",      "tooBig",           "noSuchName",          "badValue",
      "readOnly",     "genErr",           "noAccess",            "wrongType",
      "wrongLength",  "wrongEncoding",    "wrongValue",          "noCreation",
      "inconsistentValue", "resourceUnavailable", "commitFailed", "undoFailed",
      "authorizationError", "notWritable", "inconsistentName"};
  if (status >= 0 && static_cast<size_t>(status) < names.size()) return names[static_cast<size_t>(status)];
  return "error-status " + std::to_string(status);
}

bool FailureTexts::NeedsFreshSession(int libraryError) {
  switch (libraryError) {
    case SNMPERR_UNKNOWN_USER_NAME:
    case SNMPERR_USM_UNKNOWNSECURITYNAME:
    case SNMPERR_AUTHENTICATION_FAILURE:
    case SNMPERR_USM_AUTHENTICATIONFAILURE:
    case SNMPERR_DECRYPTION_ERR:
    case SNMPERR_USM_DECRYPTIONERROR:
    case SNMPERR_UNSUPPORTED_SEC_LEVEL:
    case SNMPERR_USM_UNSUPPORTEDSECURITYLEVEL:
    case SNMPERR_UNKNOWN_ENG_ID:
    case SNMPERR_USM_UNKNOWNENGINEID:
    case SNMPERR_BAD_SENDTO:
    case SNMPERR_BAD_RECVFROM:
    case SNMPERR_BAD_SESSION:
      return true;
    default:
      return false;
  }
}

}  // namespace linkwatch::netsnmp
