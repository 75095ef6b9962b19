// The test agent other adapter tests rely on: it starts on a free port, serves the
// configured credentials, stops for real and leaves nothing behind.
#include <sys/stat.h>

#include <filesystem>

#include "EngineTestSupport.h"

namespace linkwatch::enginetest {
namespace {

TEST(SnmpdAgentTest, ServesItsCredentialsThenStopsAndCleansUp) {
  support::EnsureQtApplication();
  std::string directory;
  int port = 0;
  {
    support::SnmpdOptions options;
    options.ReadCommunity = "agent-test";
    options.WriteCommunity.clear();
    options.Users.push_back({"agentuser", "SHA-256", "agent-auth", "AES", "agent-priv", false});
    options.ExtraConfig.push_back("sysLocation Test bench");
    support::SnmpdAgent agent(options);
    ASSERT_TRUE(agent.Start()) << agent.Error();
    ASSERT_TRUE(agent.Running());
    directory = agent.Directory();
    port = agent.Port();
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(directory) / "snmpd.conf"));

    NetSnmpEngine engine;
    engine.SetTransport({port, 1000, 0});
    SnmpMessage get = Request(2, kSnmpGet, {kSysLocation}, "agent-test");
    const SnmpMessage answer = SendAndWait(engine, get);
    ASSERT_EQ(answer.ErrorCode, kSnmpSuccess) << answer.ErrorText << "\n" << agent.Log();
    EXPECT_EQ(answer.Bindings.Item(0).Value, "Test bench");

    SnmpMessage v3 = Request(3, kSnmpGet, {kSysLocation});
    v3.Security.UserName = "agentuser";
    v3.Security.AuthType = kAuthSha256;
    v3.Security.AuthPassword = "agent-auth";
    v3.Security.PrivType = kPrivAes128;
    v3.Security.PrivPassword = "agent-priv";
    EXPECT_EQ(SendAndWait(engine, v3).ErrorCode, kSnmpSuccess);

    // Only the configured community is served.
    engine.SetTransport({port, 300, 0});
    EXPECT_EQ(SendAndWait(engine, Request(2, kSnmpGet, {kSysLocation}, "public")).ErrorCode,
              kSnmpTimeout);

    agent.Stop();
    EXPECT_FALSE(agent.Running());
    EXPECT_EQ(SendAndWait(engine, get).ErrorCode, kSnmpTimeout) << "the agent still answers";
  }
  EXPECT_FALSE(std::filesystem::exists(directory)) << "the agent's directory was left behind";
}

}  // namespace
}  // namespace linkwatch::enginetest
