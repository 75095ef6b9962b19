#pragma once
// Shared by the engine's test files: one real snmpd for the whole test program and
// small builders for request messages.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "components/SnmpMessage.h"
#include "platform/netsnmp/NetSnmpEngine.h"
#include "support/EventLoop.h"
#include "support/SnmpdAgent.h"

namespace linkwatch::enginetest {

inline constexpr const char* kSysDescr = "1.3.6.1.2.1.1.1.0";
inline constexpr const char* kSysObjectId = "1.3.6.1.2.1.1.2.0";
inline constexpr const char* kSysUpTime = "1.3.6.1.2.1.1.3.0";
inline constexpr const char* kSysContact = "1.3.6.1.2.1.1.4.0";
inline constexpr const char* kSysName = "1.3.6.1.2.1.1.5.0";
inline constexpr const char* kSysLocation = "1.3.6.1.2.1.1.6.0";

// Communities of the shared agent.
inline constexpr const char* kReadCommunity = "public";
inline constexpr const char* kWriteCommunity = "private";
inline constexpr const char* kSystemOnlyCommunity = "sysonly";  // sees only the system group

// The SNMPv3 users of the shared agent: one per authentication and privacy pair.
struct V3User {
  const char* Name;
  const char* AgentAuth;
  int16_t Auth;
  const char* AuthPassword;
  const char* AgentPriv;
  int16_t Priv;
  const char* PrivPassword;
  bool Writable;
};

inline const std::vector<V3User>& V3Users() {
  static const std::vector<V3User> users = {
      {"shauser", "SHA", kAuthSha1, "sha-auth-pass", "AES", kPrivAes128, "sha-priv-pass", true},
      {"md5user", "MD5", kAuthMd5, "md5-auth-pass", "", kPrivNone, "", false},
      {"noauthuser", "", kAuthNone, "", "", kPrivNone, "", false},
      {"desuser", "MD5", kAuthMd5, "des-auth-pass", "DES", kPrivDes, "des-priv-pass", false},
      {"sha224user", "SHA-224", kAuthSha224, "sha224-auth", "AES-192", kPrivAes192, "aes192-priv",
       false},
      {"sha256user", "SHA-256", kAuthSha256, "sha256-auth", "AES-256", kPrivAes256, "aes256-priv",
       false},
  };
  return users;
}

inline const V3User& FindUser(const std::string& name) {
  for (const V3User& user : V3Users()) {
    if (name == user.Name) return user;
  }
  throw std::invalid_argument("no test user " + name);
}

// The agent every engine test talks to, started on first use and stopped when the
// test program ends.
inline support::SnmpdAgent& SharedAgent() {
  static std::unique_ptr<support::SnmpdAgent> agent = [] {
    support::SnmpdOptions options;  // kReadCommunity and kWriteCommunity by default
    for (const V3User& user : V3Users()) {
      options.Users.push_back({user.Name, user.AgentAuth, user.AuthPassword, user.AgentPriv,
                               user.PrivPassword, user.Writable});
    }
    options.ExtraConfig = {"view systemonly included .1.3.6.1.2.1.1",
                           std::string("rocommunity ") + kSystemOnlyCommunity +
                               " 127.0.0.1 -V systemonly"};
    auto started = std::make_unique<support::SnmpdAgent>(options);
    if (!started->Start()) ADD_FAILURE() << "snmpd did not start: " << started->Error();
    return started;
  }();
  return *agent;
}

// A request to the shared agent: every OID as a binding to read ("" of type NULL).
inline SnmpMessage Request(int16_t version, int16_t kind, std::initializer_list<std::string> oids,
                           const std::string& community = kReadCommunity) {
  SnmpMessage message;
  message.Tag = "test";
  message.Agent = "127.0.0.1";
  message.Community = community;
  message.Version = version;
  message.Kind = kind;
  for (const std::string& oid : oids) message.Bindings.Add(oid, "", kSnmpNull);
  return message;
}

inline SnmpMessage V3Request(const V3User& user, int16_t kind,
                             std::initializer_list<std::string> oids) {
  SnmpMessage message = Request(3, kind, oids, "");
  message.Security.UserName = user.Name;
  message.Security.AuthType = user.Auth;
  message.Security.AuthPassword = message.Security.AuthKeySource = user.AuthPassword;
  message.Security.PrivType = user.Priv;
  message.Security.PrivPassword = message.Security.PrivKeySource = user.PrivPassword;
  return message;
}

// An engine aimed at the shared agent, with a short time-out so that a failing test
// fails quickly.
inline std::unique_ptr<NetSnmpEngine> EngineForAgent() {
  auto engine = std::make_unique<NetSnmpEngine>();
  engine->SetTransport({SharedAgent().Port(), 2000, 1});
  return engine;
}

// A synchronous exchange; returns a copy of the response.
inline SnmpMessage SendAndWait(SnmpEngine& engine, SnmpMessage message) {
  message.DeliverByEvent = false;
  bool byEvent = false;
  engine.Send(message, byEvent);
  return engine.LastResponse();
}

// One column walk: its values by row suffix, and how it went.
struct ColumnWalk {
  std::map<std::string, SnmpBinding> Rows;
  int Requests = 0;
  bool Done = false;
  std::string Failure;
};

// Runs column walks the way the control does: one request outstanding per walk
// (get-next in SNMPv1, get-bulk otherwise), the next one sent from the reply
// handler after the last OID received, the walk ending at the first binding
// outside its column or an exception value. A walk that repeats a row fails.
class ColumnWalker {
 public:
  ColumnWalker(SnmpEngine& engine, SnmpMessage base, int32_t maxRepetitions)
      : engine_(engine), base_(std::move(base)), maxRepetitions_(maxRepetitions) {
    engine_.SetReplyHandler([this](SnmpMessage& response) { OnReply(response); });
  }
  ~ColumnWalker() { engine_.SetReplyHandler({}); }

  void Start(const std::string& column) { SendNext(column, column); }
  // Runs the event loop until every walk started has ended.
  bool WaitForAll(std::chrono::milliseconds deadline = std::chrono::seconds(60)) {
    return support::RunEventLoopUntil(
        [&] {
          for (const auto& [column, walk] : walks_) {
            if (!walk.Done) return false;
          }
          return true;
        },
        deadline);
  }
  const ColumnWalk& Walk(const std::string& column) const { return walks_.at(column); }
  int Replies() const { return replies_; }

 private:
  void SendNext(const std::string& column, const std::string& from) {
    SnmpMessage message = base_;
    message.Kind = base_.Version == 1 ? kSnmpGetNext : kSnmpGetBulk;
    message.Tag = column;
    message.NonRepeaters = 0;
    message.MaxRepetitions = maxRepetitions_;
    message.DeliverByEvent = true;
    message.Bindings.Clear();
    message.Bindings.Add(from, "", kSnmpNull);
    ++walks_[column].Requests;
    bool byEvent = true;
    engine_.Send(message, byEvent);
  }

  void OnReply(SnmpMessage& response) {
    ++replies_;
    // While the handler runs, LastResponse designates this reply.
    EXPECT_EQ(&engine_.LastResponse(), &response);
    const std::string column = response.Tag;
    ColumnWalk& walk = walks_.at(column);
    if (response.ErrorCode != kSnmpSuccess || response.Bindings.Count() == 0) {
      walk.Failure = response.ErrorText.empty() ? "reply without bindings" : response.ErrorText;
      walk.Done = true;
      return;
    }
    std::string last;
    for (const SnmpBinding& binding : response.Bindings) {
      if (binding.OID.rfind(column, 0) != 0 || binding.ValueType >= kSnmpNoSuchObject) {
        walk.Done = true;
        return;
      }
      // However many rows the agent has, a walk that goes round in circles ends.
      if (!walk.Rows.emplace(binding.OID.substr(column.size()), binding).second) {
        walk.Failure = "walk does not advance past " + binding.OID;
        walk.Done = true;
        return;
      }
      last = binding.OID;
    }
    SendNext(column, last);
  }

  SnmpEngine& engine_;
  SnmpMessage base_;
  int32_t maxRepetitions_;
  std::map<std::string, ColumnWalk> walks_;
  int replies_ = 0;
};

// Fixture: the agent runs and Qt is ready before each test.
class EngineTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    support::EnsureQtApplication();
    SharedAgent();
  }
  void SetUp() override { ASSERT_TRUE(SharedAgent().Running()) << SharedAgent().Error(); }
};

}  // namespace linkwatch::enginetest
