#include "platform/netsnmp/NetSnmpSession.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/netsnmp/FailureTexts.h"
#include "platform/netsnmp/NetSnmpLibrary.h"

// net-snmp's own engine discovery for an open session (exported by libnetsnmp but
// not declared in its installed headers). snmp_sess_open does not discover the
// engine; the first send would, and would then keep any stale USM keys.
extern "C" int snmpv3_engineID_probe(struct session_list* session, netsnmp_session* errors);

namespace linkwatch::netsnmp {

namespace {

using EngineId = std::vector<u_char>;

// Engine IDs learnt per "agent:port". net-snmp's USM tables are process-wide, so
// this is too; engines on other threads may share it.
class EngineIdCache {
 public:
  static EngineIdCache& Instance() {
    static EngineIdCache cache;
    return cache;
  }
  EngineId Find(const std::string& where) {
    std::lock_guard lock(mutex_);
    auto found = ids_.find(where);
    return found == ids_.end() ? EngineId() : found->second;
  }
  void Store(const std::string& where, EngineId id) {
    std::lock_guard lock(mutex_);
    ids_[where] = std::move(id);
  }
  void Forget(const std::string& where) {
    std::lock_guard lock(mutex_);
    ids_.erase(where);
  }

 private:
  std::mutex mutex_;
  std::map<std::string, EngineId> ids_;
};

struct Protocol {
  const oid* Oid = nullptr;
  size_t Length = 0;
};

Protocol AuthProtocol(int16_t type) {
  switch (type) {
    case kAuthMd5: return {usmHMACMD5AuthProtocol, OID_LENGTH(usmHMACMD5AuthProtocol)};
    case kAuthSha1: return {usmHMACSHA1AuthProtocol, OID_LENGTH(usmHMACSHA1AuthProtocol)};
    case kAuthSha224:
      return {usmHMAC128SHA224AuthProtocol, OID_LENGTH(usmHMAC128SHA224AuthProtocol)};
    case kAuthSha256:
      return {usmHMAC192SHA256AuthProtocol, OID_LENGTH(usmHMAC192SHA256AuthProtocol)};
    case kAuthSha384:
      return {usmHMAC256SHA384AuthProtocol, OID_LENGTH(usmHMAC256SHA384AuthProtocol)};
    case kAuthSha512:
      return {usmHMAC384SHA512AuthProtocol, OID_LENGTH(usmHMAC384SHA512AuthProtocol)};
    default: return {usmNoAuthProtocol, OID_LENGTH(usmNoAuthProtocol)};
  }
}

Protocol PrivProtocol(int16_t type) {
  switch (type) {
    case kPrivDes: return {usmDESPrivProtocol, OID_LENGTH(usmDESPrivProtocol)};
    case kPrivAes128: return {usmAESPrivProtocol, OID_LENGTH(usmAESPrivProtocol)};
    case kPrivAes192: return {usmAES192PrivProtocol, OID_LENGTH(usmAES192PrivProtocol)};
    case kPrivAes256: return {usmAES256PrivProtocol, OID_LENGTH(usmAES256PrivProtocol)};
    default: return {usmNoPrivProtocol, OID_LENGTH(usmNoPrivProtocol)};
  }
}

std::string EngineKey(const SessionSettings& settings) {
  return settings.Agent + ":" + std::to_string(settings.Port);
}

// Drops net-snmp's cached USM user for this engine and name, if any.
void RemoveUsmUser(const EngineId& engineId, const std::string& userName) {
  if (engineId.empty()) return;
  if (usmUser* user = usm_get_user(engineId.data(), engineId.size(), userName.c_str())) {
    usm_remove_user(user);
    usm_free_user(user);
  }
}

// Fills the SNMPv3 part of a session. The strings it points at live in settings.
bool PrepareUsm(netsnmp_session& session, SessionSettings& settings, SnmpFailure& failure) {
  SnmpSecurity& security = settings.Security;
  session.securityModel = SNMP_SEC_MODEL_USM;
  session.securityName = security.UserName.data();
  session.securityNameLen = security.UserName.size();
  if (!security.Context.empty()) {
    session.contextName = security.Context.data();
    session.contextNameLen = security.Context.size();
  }
  session.securityLevel = security.AuthType == kAuthNone   ? SNMP_SEC_LEVEL_NOAUTH
                          : security.PrivType == kPrivNone ? SNMP_SEC_LEVEL_AUTHNOPRIV
                                                           : SNMP_SEC_LEVEL_AUTHPRIV;
  if (security.AuthType == kAuthNone) return true;

  const Protocol auth = AuthProtocol(security.AuthType);
  session.securityAuthProto = const_cast<oid*>(auth.Oid);
  session.securityAuthProtoLen = auth.Length;
  std::string passphrase = settings.AuthPassphrase();
  session.securityAuthKeyLen = USM_AUTH_KU_LEN;
  if (generate_Ku(auth.Oid, static_cast<u_int>(auth.Length),
                  reinterpret_cast<u_char*>(passphrase.data()), passphrase.size(),
                  session.securityAuthKey, &session.securityAuthKeyLen) != SNMPERR_SUCCESS) {
    failure = {kSnmpBadSettings, "The SNMPv3 authentication key of user '" + security.UserName +
                                     "' could not be made from its password. Check the "
                                     "authentication type and password."};
    return false;
  }
  if (security.PrivType == kPrivNone) return true;

  const Protocol priv = PrivProtocol(security.PrivType);
  session.securityPrivProto = const_cast<oid*>(priv.Oid);
  session.securityPrivProtoLen = priv.Length;
  passphrase = settings.PrivPassphrase();
  session.securityPrivKeyLen = USM_PRIV_KU_LEN;
  if (generate_Ku(auth.Oid, static_cast<u_int>(auth.Length),
                  reinterpret_cast<u_char*>(passphrase.data()), passphrase.size(),
                  session.securityPrivKey, &session.securityPrivKeyLen) != SNMPERR_SUCCESS) {
    failure = {kSnmpBadSettings, "The SNMPv3 privacy key of user '" + security.UserName +
                                     "' could not be made from its password. Check the "
                                     "privacy type and password."};
    return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<NetSnmpSession> NetSnmpSession::Open(const SessionSettings& requested,
                                                     SnmpFailure& failure) {
  NetSnmpLibrary::EnsureInitialised();
  if (auto problem = requested.Check()) {
    failure = *problem;
    return nullptr;
  }
  // A private copy: the session structure points into its strings until opened.
  SessionSettings settings = requested;

  netsnmp_session session;
  snmp_sess_init(&session);
  std::string peer = "udp:" + settings.Agent + ":" + std::to_string(settings.Port);
  session.peername = peer.data();
  session.timeout = static_cast<long>(settings.TimeoutMs) * 1000L;
  session.retries = settings.Retries;

  EngineId knownEngine;
  switch (settings.Version) {
    case 1:
      session.version = SNMP_VERSION_1;
      break;
    case 2:
      session.version = SNMP_VERSION_2c;
      break;
    default:
      session.version = SNMP_VERSION_3;
      break;
  }
  if (settings.Version == 3) {
    if (!PrepareUsm(session, settings, failure)) return nullptr;
    knownEngine = EngineIdCache::Instance().Find(EngineKey(settings));
    if (!knownEngine.empty()) {
      session.securityEngineID = knownEngine.data();
      session.securityEngineIDLen = knownEngine.size();
      session.contextEngineID = knownEngine.data();
      session.contextEngineIDLen = knownEngine.size();
      session.flags |= SNMP_FLAGS_DONT_PROBE;
    }
  } else {
    session.community = reinterpret_cast<u_char*>(settings.Community.data());
    session.community_len = settings.Community.size();
  }

  void* handle = snmp_sess_open(&session);
  if (!handle) {
    const int error = session.s_snmp_errno != SNMPERR_SUCCESS ? session.s_snmp_errno : snmp_errno;
    failure = FailureTexts::FromLibraryError(error == SNMPERR_SUCCESS ? SNMPERR_GENERR : error,
                                             settings);
    return nullptr;
  }
  std::unique_ptr<NetSnmpSession> opened(new NetSnmpSession(handle, requested));
  if (settings.Version == 3 && !opened->PrepareUser(knownEngine, failure)) return nullptr;
  return opened;
}

bool NetSnmpSession::PrepareUser(const std::vector<unsigned char>& knownEngine,
                                 SnmpFailure& failure) {
  netsnmp_session* live = snmp_sess_session(handle_);
  if (!live) {
    failure = FailureTexts::FromLibraryError(SNMPERR_BAD_SESSION, settings_);
    return false;
  }
  if (knownEngine.empty()) {
    // Discover the agent's engine ID, boots and time now (a blocking exchange on
    // this session, bounded by its time-out and retries).
    live->s_snmp_errno = SNMPERR_SUCCESS;
    if (!snmpv3_engineID_probe(static_cast<struct session_list*>(handle_), live) ||
        live->securityEngineIDLen == 0) {
      const int error = live->s_snmp_errno != SNMPERR_SUCCESS ? live->s_snmp_errno : SNMPERR_TIMEOUT;
      failure = FailureTexts::FromLibraryError(error, settings_);
      return false;
    }
  }
  EngineId engine(live->securityEngineID, live->securityEngineID + live->securityEngineIDLen);
  // Whatever net-snmp's user table holds for this user and engine may come from an
  // earlier session with other passphrases: rebuild the entry from this session.
  RemoveUsmUser(engine, settings_.Security.UserName);
  live->flags &= ~SNMP_FLAGS_USER_CREATED;
  live->flags |= SNMP_FLAGS_DONT_PROBE;
  if (usm_create_user_from_session(live) != SNMPERR_SUCCESS) {
    failure = FailureTexts::FromLibraryError(SNMPERR_USM_GENERICERROR, settings_);
    return false;
  }
  EngineIdCache::Instance().Store(EngineKey(settings_), std::move(engine));
  return true;
}

NetSnmpSession::~NetSnmpSession() { snmp_sess_close(handle_); }

int NetSnmpSession::Socket() const {
  const netsnmp_transport* transport = snmp_sess_transport(handle_);
  return transport ? transport->sock : -1;
}

int NetSnmpSession::LastLibraryError() const {
  const netsnmp_session* session = snmp_sess_session(handle_);
  return session ? session->s_snmp_errno : snmp_errno;
}

void NetSnmpSession::ForgetEngine(const SessionSettings& settings) {
  EngineIdCache::Instance().Forget(EngineKey(settings));
}

}  // namespace linkwatch::netsnmp
