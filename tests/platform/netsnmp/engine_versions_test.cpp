// Synchronous gets of the system group over every SNMP version and SNMPv3
// security combination the engine offers, against the real agent.
#include <sys/utsname.h>

#include "EngineTestSupport.h"

namespace linkwatch::enginetest {
namespace {

// What the agent reports as sysDescr: this machine's uname fields.
std::string MachineDescription() {
  utsname names{};
  uname(&names);
  return std::string(names.sysname) + " " + names.nodename + " " + names.release + " " +
         names.version + " " + names.machine;
}

struct VersionCase {
  std::string Name;
  int16_t Version;
  std::string User;  // SNMPv3 only
};

void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.Name; }

class SystemGet : public EngineTest, public ::testing::WithParamInterface<VersionCase> {
 protected:
  SnmpMessage MakeRequest(std::initializer_list<std::string> oids) const {
    const VersionCase& c = GetParam();
    return c.Version == 3 ? V3Request(FindUser(c.User), kSnmpGet, oids)
                          : Request(c.Version, kSnmpGet, oids);
  }
};

TEST_P(SystemGet, ReadsTheSystemGroupInRequestOrder) {
  auto engine = EngineForAgent();
  // A first exchange, then a second on the same session.
  const SnmpMessage first = SendAndWait(*engine, MakeRequest({kSysName}));
  ASSERT_EQ(first.ErrorCode, kSnmpSuccess) << first.ErrorText;
  ASSERT_EQ(first.Bindings.Count(), 1);
  utsname names{};
  uname(&names);
  EXPECT_EQ(first.Bindings.Item(0).Value, names.nodename);

  SnmpMessage request = MakeRequest({kSysDescr, kSysObjectId});
  request.Tag = "sysObjectID";

  const SnmpMessage response = SendAndWait(*engine, request);

  ASSERT_EQ(response.ErrorCode, kSnmpSuccess) << response.ErrorText;
  EXPECT_TRUE(response.ErrorText.empty());
  EXPECT_EQ(response.Tag, "sysObjectID");
  EXPECT_EQ(response.Version, GetParam().Version);
  ASSERT_EQ(response.Bindings.Count(), 2);

  const SnmpBinding& descr = response.Bindings.Item(0);
  EXPECT_EQ(descr.OID, kSysDescr);
  EXPECT_EQ(descr.ValueType, kSnmpOctetString);
  EXPECT_EQ(descr.Value, MachineDescription());

  // net-snmp's agent on Linux names itself NET-SNMP-TC::linux, 1.3.6.1.4.1.8072.3.2.10;
  // its BER content octets are 2B 06 01 04 01 BF 08 03 02 0A.
  const SnmpBinding& objectId = response.Bindings.Item(1);
  EXPECT_EQ(objectId.OID, kSysObjectId);
  EXPECT_EQ(objectId.ValueType, kSnmpObjectId);
  EXPECT_EQ(objectId.Value, "1.3.6.1.4.1.8072.3.2.10");
  EXPECT_EQ(objectId.HexValue, "2B06010401BF0803020A");
}

// A host may give an SNMPv3 passphrase as the password, as the key source or as
// both; the password is used when it is set.
TEST_F(EngineTest, PassphrasesAreTakenFromThePasswordOrElseTheKeySource) {
  auto engine = EngineForAgent();
  for (const bool onlyKeySources : {true, false}) {
    SCOPED_TRACE(onlyKeySources ? "key sources only" : "passwords beside wrong key sources");
    SnmpMessage request = V3Request(FindUser("shauser"), kSnmpGet, {kSysName});
    SnmpSecurity& security = request.Security;
    if (onlyKeySources) {
      security.AuthPassword.clear();
      security.PrivPassword.clear();
    } else {
      security.AuthKeySource = security.PrivKeySource = "not-the-passphrase";
    }
    const SnmpMessage response = SendAndWait(*engine, request);
    EXPECT_EQ(response.ErrorCode, kSnmpSuccess) << response.ErrorText;
    EXPECT_EQ(response.Bindings.Count(), 1);
  }
}

std::vector<VersionCase> AllVersions() {
  std::vector<VersionCase> cases = {{"v1", 1, ""}, {"v2c", 2, ""}};
  for (const V3User& user : V3Users()) cases.push_back({std::string("v3_") + user.Name, 3, user.Name});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Versions, SystemGet, ::testing::ValuesIn(AllVersions()),
                         [](const auto& info) { return info.param.Name; });

}  // namespace
}  // namespace linkwatch::enginetest
