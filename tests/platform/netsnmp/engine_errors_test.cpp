// Failures against the real agent, a silent port and a link that damages replies:
// refused and accepted writes, time-outs, SNMPv3 authentication failures, unusable
// settings.
#include <gmock/gmock.h>

#include <chrono>
#include <functional>
#include <map>
#include <regex>

#include "EngineTestSupport.h"
#include "support/FaultLink.h"

namespace linkwatch::enginetest {
namespace {

using ::testing::HasSubstr;

SnmpMessage SetRequest(SnmpMessage message, const std::string& oid, const std::string& value,
                       int16_t type) {
  message.Kind = kSnmpSet;
  message.Bindings.Clear();
  message.Bindings.Add(oid, value, type);
  return message;
}

std::string UniqueText(const std::string& prefix) {
  return prefix + " " +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
}

// A port on loopback that receives and never answers: an agent that is down.
struct SilentPort {
  SilentPort() {
    EXPECT_TRUE(link.Start()) << link.Error();
    link.Cut();
  }
  int Port() const { return link.Port(); }
  support::FaultLink link{support::FreeUdpPort()};
};

// --- writes ---------------------------------------------------------------

struct WriteCase {
  std::string Name;
  int16_t Version;
  std::string Credentials;  // SNMPv3 user, else the community
  const char* Oid;
  int16_t Type;
  int32_t Code;
  std::string Text;  // part of the error text
};
void PrintTo(const WriteCase& c, std::ostream* out) { *out << c.Name; }

class Write : public EngineTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(Write, IsStoredAndReadBackOrRefusedWithItsCodeAndText) {
  auto engine = EngineForAgent();
  const WriteCase& c = GetParam();
  const SnmpMessage base = c.Version == 3 ? V3Request(FindUser(c.Credentials), kSnmpGet, {})
                                          : Request(c.Version, kSnmpGet, {}, c.Credentials);
  const std::string text =
      c.Type == kSnmpInteger ? "7" : UniqueText("Linkwatch test " + c.Name);

  const SnmpMessage written = SendAndWait(*engine, SetRequest(base, c.Oid, text, c.Type));
  ASSERT_EQ(written.ErrorCode, c.Code) << written.ErrorText;
  if (c.Code != kSnmpSuccess) {
    EXPECT_THAT(written.ErrorText, HasSubstr(c.Text));
    if (c.Code == kSnmpWriteRefused) {
      EXPECT_THAT(written.ErrorText,
                  HasSubstr("127.0.0.1 port " + std::to_string(SharedAgent().Port())));
      EXPECT_THAT(written.ErrorText, HasSubstr("write access"));
    }
    return;
  }
  ASSERT_EQ(written.Bindings.Count(), 1);
  EXPECT_EQ(written.Bindings.Item(0).Value, text);
  SnmpMessage read = base;
  read.Bindings.Add(c.Oid, "", kSnmpNull);
  const SnmpMessage answer = SendAndWait(*engine, read);
  ASSERT_EQ(answer.ErrorCode, kSnmpSuccess) << answer.ErrorText;
  EXPECT_EQ(answer.Bindings.Item(0).Value, text);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, Write,
    ::testing::Values(
        WriteCase{"v1_read_only_community", 1, kReadCommunity, kSysContact, kSnmpOctetString,
                  kSnmpWriteRefused, "refused to write 1.3.6.1.2.1.1.4.0"},
        WriteCase{"v3_read_only_user", 3, "md5user", kSysContact, kSnmpOctetString,
                  kSnmpWriteRefused, "refused to write 1.3.6.1.2.1.1.4.0"},
        WriteCase{"v2c_wrong_type_is_a_bad_value", 2, kWriteCommunity, kSysContact, kSnmpInteger,
                  kSnmpBadValue, "wrongType"},
        WriteCase{"v3_sysLocation", 3, "shauser", kSysLocation, kSnmpOctetString, kSnmpSuccess,
                  ""}),
    [](const auto& info) { return info.param.Name; });

TEST_F(EngineTest, SetValueThatIsNotItsTypeFailsBeforeSending) {
  auto engine = EngineForAgent();
  for (const auto& [value, type] : std::vector<std::pair<std::string, int16_t>>{
           {"seven", kSnmpInteger}, {"4294967296", kSnmpGauge32}, {"300.1.2.3", kSnmpIpAddress},
           {"1.x.3", kSnmpObjectId}, {"-1", kSnmpCounter64}}) {
    const SnmpMessage response = SendAndWait(
        *engine, SetRequest(Request(2, kSnmpGet, {}, kWriteCommunity), kSysContact, value, type));
    EXPECT_EQ(response.ErrorCode, kSnmpBadValue) << value;
    EXPECT_THAT(response.ErrorText, HasSubstr("'" + value + "'"));
  }
}

// --- time-outs --------------------------------------------------------------

TEST_F(EngineTest, SilentAgentTimesOutWithATextThatSaysWhatToCheck) {
  SilentPort silent;
  // SNMPv3 waits in the engine discovery, the others in the get itself. The text
  // names what to check: the community and version, or the user.
  const std::map<int, std::string> checks = {
      {1, "community and SNMP version 1 "}, {2, "community and SNMP version 2c "},
      {3, "SNMPv3 user 'shauser'"}};
  for (const SnmpMessage& request : {Request(1, kSnmpGet, {kSysObjectId}),
                                     Request(2, kSnmpGet, {kSysObjectId}),
                                     V3Request(FindUser("shauser"), kSnmpGet, {kSysObjectId})}) {
    NetSnmpEngine engine;
    engine.SetTransport({silent.Port(), 300, 0});
    const SnmpMessage response = SendAndWait(engine, request);

    EXPECT_EQ(response.ErrorCode, kSnmpTimeout) << "v" << request.Version << ": " << response.ErrorText;
    EXPECT_THAT(response.ErrorText, HasSubstr("No answer from the SNMP agent at 127.0.0.1 port " +
                                              std::to_string(silent.Port()) + " within 300 ms"));
    EXPECT_THAT(response.ErrorText, HasSubstr(checks.at(request.Version)));
  }

  // With a retry. Replies that all match no request (their request ids rewritten on
  // the way) make a time-out that says answers came. (Time-outs by event: the
  // control's network fault tests.)
  support::FaultLink rewriting(SharedAgent().Port());
  ASSERT_TRUE(rewriting.Start()) << rewriting.Error();
  rewriting.SetFaults(support::LinkDirection::ToClient,
                      {.Fault = support::LinkFault::RewriteRequestId});
  const std::string unmatched = "Answers came from the SNMP agent at 127.0.0.1 port " +
                                std::to_string(rewriting.Port()) +
                                " but none matched the request within 300 ms and 1 retry";
  for (const auto& [port, text] : {std::pair{silent.Port(), std::string("1 retry")},
                                   std::pair{rewriting.Port(), unmatched}}) {
    NetSnmpEngine engine;
    engine.SetTransport({port, 300, 1});
    const SnmpMessage waited = SendAndWait(engine, Request(2, kSnmpGet, {kSysName}));
    EXPECT_EQ(waited.ErrorCode, kSnmpTimeout);
    EXPECT_THAT(waited.ErrorText, HasSubstr(text));
  }
}

// --- SNMPv3 authentication ----------------------------------------------------

struct AuthCase {
  std::string Name;
  std::string User;
  std::string UserName;  // as sent
  std::string AuthPassword;
  std::string PrivPassword;
  std::string Expected;  // the whole text; PORT stands for the agent's port
  int32_t Code = kSnmpAuthFailure;
};
void PrintTo(const AuthCase& c, std::ostream* out) { *out << c.Name; }

class AuthFailure : public EngineTest, public ::testing::WithParamInterface<AuthCase> {};

TEST_P(AuthFailure, IsReportedWithItsCodeAndAClearText) {
  const AuthCase& c = GetParam();
  auto engine = EngineForAgent();  // patient: a loaded agent may answer late
  const V3User& user = FindUser(c.User);
  const SnmpTransport patient = {SharedAgent().Port(), 2000, 1};
  const SnmpTransport brief = {SharedAgent().Port(), 500, 0};  // reports come at once

  // First the right credentials, so that net-snmp has met this user and engine.
  const SnmpMessage good = SendAndWait(*engine, V3Request(user, kSnmpGet, {kSysObjectId}));
  ASSERT_EQ(good.ErrorCode, kSnmpSuccess) << good.ErrorText;
  engine->SetTransport(brief);

  SnmpMessage wrong = V3Request(user, kSnmpGet, {kSysObjectId});
  wrong.Security.UserName = c.UserName;
  wrong.Security.AuthPassword = wrong.Security.AuthKeySource = c.AuthPassword;
  wrong.Security.PrivPassword = wrong.Security.PrivKeySource = c.PrivPassword;
  const SnmpMessage refused = SendAndWait(*engine, wrong);
  EXPECT_EQ(refused.ErrorCode, c.Code) << refused.ErrorText;
  EXPECT_EQ(refused.ErrorText, std::regex_replace(c.Expected, std::regex("PORT"),
                                                  std::to_string(SharedAgent().Port())));

  // The same failure by event, from a new engine: net-snmp keeps USM keys
  // process-wide, and the wrong password must not borrow the keys of the right one.
  auto fresh = EngineForAgent();
  fresh->SetTransport(brief);
  int replies = 0;
  SnmpMessage reply;
  fresh->SetReplyHandler([&](SnmpMessage& response) {
    ++replies;
    reply = response;
  });
  bool byEvent = true;
  fresh->Send(wrong, byEvent);
  ASSERT_TRUE(support::RunEventLoopUntil([&] { return replies == 1; }));
  EXPECT_EQ(reply.ErrorCode, c.Code) << reply.ErrorText;

  // And the right credentials work again afterwards.
  engine->SetTransport(patient);
  const SnmpMessage again = SendAndWait(*engine, V3Request(user, kSnmpGet, {kSysObjectId}));
  EXPECT_EQ(again.ErrorCode, kSnmpSuccess) << again.ErrorText;
}

INSTANTIATE_TEST_SUITE_P(
    V3, AuthFailure,
    ::testing::Values(
        AuthCase{"wrong_auth_password", "md5user", "md5user", "not-the-password", "",
                 "The SNMP agent at 127.0.0.1 port PORT rejected the authentication of SNMPv3 "
                 "user 'md5user' (wrong digest). Check the authentication password and the "
                 "authentication type (MD5)."},
        // An agent drops what it cannot decrypt without a report: a time-out that
        // points at the privacy password.
        AuthCase{"wrong_priv_password", "shauser", "shauser", "sha-auth-pass", "not-the-password",
                 "No answer from the SNMP agent at 127.0.0.1 port PORT within 500 ms and 0 "
                 "retries. Check that the device is reachable, that its SNMP agent listens on "
                 "that port, and that it accepts SNMPv3 user 'shauser' with this privacy "
                 "password and type (an agent ignores requests it cannot decrypt).",
                 kSnmpTimeout},
        AuthCase{"unknown_user", "shauser", "nosuchuser", "sha-auth-pass", "sha-priv-pass",
                 "The SNMP agent at 127.0.0.1 port PORT does not know the SNMPv3 user "
                 "'nosuchuser'. Check the user name and that the user is configured on the "
                 "device."}),
    [](const auto& info) { return info.param.Name; });

// --- unusable settings -----------------------------------------------------------

struct SettingsCase {
  std::string Name;
  std::function<void(SnmpMessage&)> Change;
  int32_t Code;
  std::string Expected;
};
void PrintTo(const SettingsCase& c, std::ostream* out) { *out << c.Name; }

class UnusableSettings : public EngineTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(UnusableSettings, FailWithoutSendingBothSynchronouslyAndByEvent) {
  auto engine = EngineForAgent();
  SnmpMessage request = V3Request(FindUser("shauser"), kSnmpGet, {kSysName});
  GetParam().Change(request);

  const SnmpMessage response = SendAndWait(*engine, request);
  EXPECT_EQ(response.ErrorCode, GetParam().Code) << response.ErrorText;
  EXPECT_THAT(response.ErrorText, HasSubstr(GetParam().Expected));

  // By event the failure still arrives later, from the event loop, never inside Send.
  int replies = 0;
  int32_t code = 0;
  engine->SetReplyHandler([&](SnmpMessage& reply) {
    ++replies;
    code = reply.ErrorCode;
  });
  bool byEvent = true;
  request.Tag = "by event";
  engine->Send(request, byEvent);
  EXPECT_EQ(replies, 0);
  ASSERT_TRUE(support::RunEventLoopUntil([&] { return replies == 1; }));
  EXPECT_EQ(code, GetParam().Code);
  EXPECT_EQ(engine->LastResponse().Tag, "by event");
}

INSTANTIATE_TEST_SUITE_P(
    Settings, UnusableSettings,
    ::testing::Values(
        SettingsCase{"unknown_version", [](SnmpMessage& m) { m.Version = 4; }, kSnmpBadSettings,
                     "SNMP version 4 is not supported"},
        SettingsCase{"unknown_auth_type", [](SnmpMessage& m) { m.Security.AuthType = 9; },
                     kSnmpBadSettings, "authentication type 9"},
        SettingsCase{"privacy_without_authentication",
                     [](SnmpMessage& m) { m.Security.AuthType = kAuthNone; }, kSnmpBadSettings,
                     "privacy needs authentication"},
        SettingsCase{"short_auth_password",
                     [](SnmpMessage& m) { m.Security.AuthPassword = m.Security.AuthKeySource = "short"; },
                     kSnmpBadSettings, "shorter than 8 characters"},
        SettingsCase{"agent_not_an_address", [](SnmpMessage& m) { m.Agent = "router.example"; },
                     kSnmpSendFailed, "'router.example' is not a dotted IPv4 address"},
        SettingsCase{"oid_not_a_number",
                     [](SnmpMessage& m) {
                       m.Bindings.Clear();
                       m.Bindings.Add("1.3.6.x.1", "", kSnmpNull);
                     },
                     kSnmpBadSettings, "'1.3.6.x.1' is not a dotted number"}),
    [](const auto& info) { return info.param.Name; });

TEST_F(EngineTest, EveryUdpPortFromOneTo65535IsUsable) {
  for (const int port : {0, 1, 65535, 65536}) {
    NetSnmpEngine engine;
    engine.SetTransport({port, 100, 0});
    const SnmpMessage response = SendAndWait(engine, Request(2, kSnmpGet, {kSysObjectId}));
    const bool usable = port >= 1 && port <= 65535;
    EXPECT_EQ(response.ErrorCode != kSnmpBadSettings, usable) << port << ": " << response.ErrorText;
    if (!usable) {
      EXPECT_THAT(response.ErrorText, HasSubstr("Use a UDP port from 1 to 65535"));
    }
  }
}

// --- agent answers --------------------------------------------------------------

TEST_F(EngineTest, MissingObjectIsAnExceptionValueInV2cAndNoSuchNameInV1) {
  auto engine = EngineForAgent();
  const std::string missing = "1.3.6.1.2.1.1.99.0";

  const SnmpMessage v2 = SendAndWait(*engine, Request(2, kSnmpGet, {kSysName, missing}));
  ASSERT_EQ(v2.ErrorCode, kSnmpSuccess) << v2.ErrorText;
  ASSERT_EQ(v2.Bindings.Count(), 2);
  EXPECT_FALSE(v2.Bindings.Item(0).Value.empty());
  EXPECT_EQ(v2.Bindings.Item(1).OID, missing);
  EXPECT_TRUE(v2.Bindings.Item(1).ValueType == kSnmpNoSuchObject ||
              v2.Bindings.Item(1).ValueType == kSnmpNoSuchInstance);
  EXPECT_EQ(v2.Bindings.Item(1).Value, "");

  const SnmpMessage v1 = SendAndWait(*engine, Request(1, kSnmpGet, {kSysName, missing}));
  EXPECT_EQ(v1.ErrorCode, kSnmpNoSuchName) << v1.ErrorText;
  EXPECT_THAT(v1.ErrorText, HasSubstr("has no object " + missing));
}

}  // namespace
}  // namespace linkwatch::enginetest
