// The exporter's configuration file: what it accepts, and that every mistake is
// refused with the file and the place (line and column, or the line and the
// field's JSON path), never with the value that was written there.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "ConfigFile.h"
#include "support/Files.h"

namespace linkwatch::exporter {
namespace {

TEST(ConfigFile, ReadsADeviceWithEverySettingAndSecretsFromTheEnvironmentAndAPrivateFile) {
  support::TemporaryDirectory scratch("linkwatch-exporter-config");
  const std::string secretFile = scratch.Path() + "/priv";
  std::ofstream(secretFile) << "priv-secret\n";
  ::chmod(secretFile.c_str(), 0600);
  ::setenv("LINKWATCH_TEST_AUTH", "auth-secret", 1);
  const auto result = ConfigFile::Parse(
      "x.json",
      "{\"listen\": \"127.0.0.1:9999\", \"devices\": [\n"
      " {\"name\": \"core\", \"target\": \"192.0.2.1\", \"port\": 1161, \"version\": \"3\",\n"
      "  \"user\": \"mon\", \"context\": \"c\", \"auth_type\": \"sha256\",\n"
      "  \"auth_pass_env\": \"LINKWATCH_TEST_AUTH\", \"priv_type\": \"aes\",\n"
      "  \"priv_pass_file\": \"" + secretFile + "\", \"statistics\": [\"In Traffic\", \" Speed \"],\n"
      "  \"interval\": 10, \"timeout_ms\": 500, \"retries\": 2, \"synchronous\": true},\n"
      " {\"target\": \"192.0.2.2\"}]}");
  ASSERT_TRUE(result.Ok()) << result.Error;
  EXPECT_EQ(result.Config.ListenAddress, "127.0.0.1");
  EXPECT_EQ(result.Config.ListenPort, 9999);
  ASSERT_EQ(result.Config.Devices.size(), 2u);
  const DeviceConfig& core = result.Config.Devices[0];
  EXPECT_EQ(core.SNMPVersion, 3);
  EXPECT_EQ(core.AuthPass, "auth-secret");
  EXPECT_EQ(core.PrivPass, "priv-secret");
  EXPECT_EQ(core.Statistics, "In Traffic,Speed");
  EXPECT_EQ(core.IntervalSeconds, 10);
  EXPECT_TRUE(core.Synchronous);
  const DeviceConfig& plain = result.Config.Devices[1];
  EXPECT_EQ(plain.Name, "192.0.2.2");
  EXPECT_EQ(plain.Community, "public");
  EXPECT_EQ(plain.SNMPVersion, 0);
  EXPECT_EQ(plain.Statistics, kDefaultStatistics);
}

struct BadConfig {
  const char* What;
  std::string Text;
  std::string Error;  // the whole expected error
};

void PrintTo(const BadConfig& config, std::ostream* out) { *out << config.What; }

class ConfigFileRefuses : public ::testing::TestWithParam<BadConfig> {};

TEST_P(ConfigFileRefuses, NamingTheFileAndThePlace) {
  const auto result = ConfigFile::Parse("conf.json", GetParam().Text);
  EXPECT_EQ(result.Error, GetParam().Error);
  EXPECT_TRUE(result.Config.Devices.empty());
  EXPECT_EQ(result.Error.find("s3cret"), std::string::npos) << "a value is never repeated";
}

const std::string kDevice = "{\"target\": \"192.0.2.1\"";

INSTANTIATE_TEST_SUITE_P(
    Mistakes, ConfigFileRefuses,
    ::testing::Values(
        BadConfig{"syntax", "{\"devices\": [\n  {\"target\": \"a\",}\n]}",
                  "conf.json:2:19: object is missing after a comma"},
        BadConfig{"no devices", "{\"devices\": []}",
                  "conf.json:1: devices: must be a list of at least one device"},
        BadConfig{"unknown field", "{\"devices\": [" + kDevice + ", \"comunity\": \"s3cret\"}]}",
                  "conf.json:1: devices[0].comunity: unknown field"},
        BadConfig{"version", "{\"devices\": [" + kDevice + ", \"version\": \"4\"}]}",
                  "conf.json:1: devices[0].version: must be \"auto\", \"1\", \"2c\" or \"3\""},
        BadConfig{"v3 without user", "{\"devices\": [" + kDevice + ", \"version\": 3}]}",
                  "conf.json:1: devices[0].user: SNMPv3 needs a user"},
        BadConfig{"auth without password",
                  "{\"devices\": [" + kDevice + ", \"user\": \"u\", \"auth_type\": \"sha\"}]}",
                  "conf.json:1: devices[0].auth_pass: authentication needs a password"},
        BadConfig{"v3 field with v2c",
                  "{\"devices\": [" + kDevice + ", \"version\": \"2c\", \"auth_type\": \"md5\"}]}",
                  "conf.json:1: devices[0].auth_type: is for SNMPv3 only"},
        BadConfig{"secret twice",
                  "{\"devices\": [" + kDevice +
                      ", \"community\": \"s3cret\", \"community_env\": \"X\"}]}",
                  "conf.json:1: devices[0].community: give only one of community, community_env "
                  "and community_file"},
        BadConfig{"unset variable",
                  "{\"devices\": [" + kDevice +
                      ", \"community_env\": \"LINKWATCH_TEST_NOT_SET_ANYWHERE\"}]}",
                  "conf.json:1: devices[0].community_env: names an environment variable that is "
                  "not set"},
        BadConfig{"secret file readable by others",
                  "{\"devices\": [" + kDevice + ", \"community_file\": \"/etc/hostname\"}]}",
                  "conf.json:1: devices[0].community_file: the file may be read by others than its "
                  "owner (chmod 600 it)"},
        BadConfig{"same name twice", "{\"devices\": [" + kDevice + "}, " + kDevice + "}]}",
                  "conf.json:1: devices[1].name: another device has the same name"},
        BadConfig{"listen", "{\"listen\": \"9717\", \"devices\": [" + kDevice + "}]}",
                  "conf.json:1: listen: must be ADDRESS:PORT, for example 127.0.0.1:9717"},
        // Over several lines: the line of the value, found past strings that hold
        // escaped quotes, backslashes, brackets and commas.
        BadConfig{"port on its line",
                  "{\"devices\": [\n"
                  "  {\"target\": \"a\", \"name\": \"x \\\"[{,\\\" y\"},\n"
                  "  {\"target\": \"b\",\n"
                  "   \"name\": \"]} \\\\\",\n"
                  "   \"port\": 0}\n"
                  "]}",
                  "conf.json:5: devices[1].port: must be a whole number from 1 to 65535"},
        BadConfig{"missing target at its object",
                  "{\"devices\": [\n  {\"target\": \"a\"},\n  {\n    \"port\": 161\n  }\n]}",
                  "conf.json:3: devices[1].target: is missing"},
        BadConfig{"statistic on its line",
                  "{\"devices\": [{\"target\": \"a\",\n  \"statistics\": [\n    \"In Traffic\",\n"
                  "    \"In [x] \\\"y\\\"\",\n    7]}]}",
                  "conf.json:5: devices[0].statistics[2]: must be the name of a statistic"}),
    [](const ::testing::TestParamInfo<BadConfig>& info) {
      std::string name;
      for (const char c : std::string(info.param.What)) name += std::isalnum(c) ? c : '_';
      return name;
    });

}  // namespace
}  // namespace linkwatch::exporter
