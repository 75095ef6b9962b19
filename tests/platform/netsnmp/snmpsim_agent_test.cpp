// The simulated devices (snmpsimd serving tests/data/snmpsim) through the project's
// engine: the switch's interface table over every SNMP version, its counters growing
// at the documented rates, the access point's wireless client table, writes to the
// writable device, and the committed recordings matching their generator.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QTimer>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "components/SnmpMessage.h"
#include "platform/netsnmp/NetSnmpEngine.h"
#include "EngineTestSupport.h"
#include "support/EventLoop.h"
#include "support/Files.h"
#include "support/SnmpsimAgent.h"

namespace linkwatch::snmpsimtest {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kSwitch = "switch48";
constexpr const char* kAccessPoint = "accesspoint";
constexpr const char* kWritable = "writable";

constexpr const char* kSysDescr = "1.3.6.1.2.1.1.1.0";
constexpr const char* kSysObjectId = "1.3.6.1.2.1.1.2.0";
constexpr const char* kSysLocation = "1.3.6.1.2.1.1.6.0";
constexpr const char* kIfNumber = "1.3.6.1.2.1.2.1.0";
constexpr const char* kIfDescrColumn = "1.3.6.1.2.1.2.2.1.2.";
constexpr const char* kIfAdminStatusColumn = "1.3.6.1.2.1.2.2.1.7.";
constexpr const char* kIfInOctetsColumn = "1.3.6.1.2.1.2.2.1.10.";
constexpr const char* kIfOutOctetsColumn = "1.3.6.1.2.1.2.2.1.16.";
constexpr const char* kIfHCInOctetsColumn = "1.3.6.1.2.1.31.1.1.1.6.";
constexpr const char* kIfHCOutOctetsColumn = "1.3.6.1.2.1.31.1.1.1.10.";
constexpr const char* kClientAddressColumn = "1.3.6.1.4.1.9.9.273.1.2.1.1.1.";
constexpr const char* kClientDataRateSetColumn = "1.3.6.1.4.1.9.9.273.1.2.1.1.11.";
constexpr const char* kClientIpAddressColumn = "1.3.6.1.4.1.9.9.273.1.2.1.1.16.";
constexpr const char* kActiveWirelessClients = "1.3.6.1.4.1.9.9.273.1.1.2.1.1.";
constexpr const char* kDot11CountryString = "1.2.840.10036.1.1.1.23.";
constexpr const char* kDot11PhyType = "1.2.840.10036.4.1.1.1.";

// The SNMPv3 user of the shared simulator.
constexpr const char* kV3User = "simuser";
constexpr const char* kV3AuthKey = "sim-auth-key";
constexpr const char* kV3PrivKey = "sim-priv-key";

support::SnmpsimAgent& Simulator() {
  static std::unique_ptr<support::SnmpsimAgent> agent = [] {
    support::SnmpsimOptions options;
    options.RecordingsDirectory = LINKWATCH_TEST_DATA_DIR "/snmpsim";
    options.Users.push_back({kV3User, "SHA", kV3AuthKey, "AES", kV3PrivKey});
    auto started = std::make_unique<support::SnmpsimAgent>(options);
    if (!started->Start()) ADD_FAILURE() << "snmpsimd did not start: " << started->Error();
    return started;
  }();
  return *agent;
}

std::unique_ptr<NetSnmpEngine> EngineForSimulator() {
  auto engine = std::make_unique<NetSnmpEngine>();
  SnmpTransport transport;
  transport.Port = Simulator().Port();
  transport.TimeoutMs = 3000;  // the simulator is a Python program on a shared machine
  transport.Retries = 1;
  engine->SetTransport(transport);
  return engine;
}

// A request for a recording: its name is the community (v1, v2c) or context (v3).
SnmpMessage Request(const std::string& recording, int16_t version = 2) {
  SnmpMessage message;
  message.Tag = recording;
  message.Agent = Simulator().Address();
  message.Version = version;
  if (version == 3) {
    message.Security.UserName = kV3User;
    message.Security.Context = recording;
    message.Security.AuthType = kAuthSha1;
    message.Security.AuthPassword = message.Security.AuthKeySource = kV3AuthKey;
    message.Security.PrivType = kPrivAes128;
    message.Security.PrivPassword = message.Security.PrivKeySource = kV3PrivKey;
  } else {
    message.Community = recording;
  }
  return message;
}

SnmpMessage Get(SnmpEngine& engine, SnmpMessage message, const std::vector<std::string>& oids) {
  message.Kind = kSnmpGet;
  for (const std::string& oid : oids) message.Bindings.Add(oid, "", kSnmpNull);
  return enginetest::SendAndWait(engine, message);
}

SnmpMessage Set(SnmpEngine& engine, SnmpMessage message, const std::string& oid,
                const std::string& value, int16_t type) {
  message.Kind = kSnmpSet;
  message.Bindings.Add(oid, value, type);
  return enginetest::SendAndWait(engine, message);
}

std::string ValueOf(SnmpEngine& engine, const std::string& recording, const std::string& oid) {
  const SnmpMessage answer = Get(engine, Request(recording), {oid});
  if (answer.ErrorCode != kSnmpSuccess || answer.Bindings.Count() != 1) {
    ADD_FAILURE() << "get " << oid << " from " << recording << ": " << answer.ErrorText;
    return {};
  }
  return answer.Bindings.Item(0).Value;
}

// One column walked the way the control walks it (EngineTestSupport.h).
using enginetest::ColumnWalk;
ColumnWalk WalkColumn(SnmpEngine& engine, const SnmpMessage& base, const std::string& column) {
  enginetest::ColumnWalker walker(engine, base, 16);
  walker.Start(column);
  const bool ended = walker.WaitForAll();
  ColumnWalk walk = walker.Walk(column);
  if (!ended) walk.Failure = "no end of the walk within the deadline";
  return walk;
}

// Runs the event loop for at least the given time, measured on a precise timer.
void RunEventLoopFor(std::chrono::milliseconds duration) {
  bool elapsed = false;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&] { elapsed = true; });
  timer.start(duration);
  support::RunEventLoopUntil([&] { return elapsed; }, duration + std::chrono::seconds(5));
}

// Counter values read in one get, with the window in which the agent sampled them.
struct TimedRead {
  std::map<std::string, SnmpBinding> Values;
  Clock::time_point Sent;
  Clock::time_point Received;
};

std::vector<TimedRead> ReadTimed(SnmpEngine& engine, const std::string& recording,
                                 const std::vector<std::string>& oids) {
  constexpr size_t kPerRequest = 40;  // well below the simulator's 64 bindings a reply
  std::vector<TimedRead> reads;
  for (size_t first = 0; first < oids.size(); first += kPerRequest) {
    const std::vector<std::string> batch(
        oids.begin() + static_cast<long>(first),
        oids.begin() + static_cast<long>(std::min(oids.size(), first + kPerRequest)));
    TimedRead read;
    read.Sent = Clock::now();
    const SnmpMessage answer = Get(engine, Request(recording), batch);
    read.Received = Clock::now();
    EXPECT_EQ(answer.ErrorCode, kSnmpSuccess) << answer.ErrorText;
    for (const SnmpBinding& binding : answer.Bindings) read.Values[binding.OID] = binding;
    reads.push_back(std::move(read));
  }
  return reads;
}

// Where a read holds an OID: the read and its binding, or nulls.
std::pair<const TimedRead*, const SnmpBinding*> Find(const std::vector<TimedRead>& reads,
                                                     const std::string& oid) {
  for (const TimedRead& read : reads) {
    const auto found = read.Values.find(oid);
    if (found != read.Values.end()) return {&read, &found->second};
  }
  return {nullptr, nullptr};
}

// A counter read twice must have grown by its rate times the time between the two
// samples. The agent took each sample somewhere between sending the request and
// receiving the answer, which bounds that time from both sides; a count of slack
// covers the agent rounding each value to a whole number.
void ExpectGrowth(const std::vector<support::SimulatedCounter>& expected,
                  const std::vector<TimedRead>& before, const std::vector<TimedRead>& after) {
  for (const support::SimulatedCounter& growth : expected) {
    const auto [first, firstValue] = Find(before, growth.Oid);
    const auto [second, secondValue] = Find(after, growth.Oid);
    if (!firstValue || !secondValue || firstValue->Value.empty() ||
        secondValue->Value.empty()) {
      ADD_FAILURE() << growth.Oid << " was not read as a number";
      continue;
    }
    const double delta = static_cast<double>(std::stoull(secondValue->Value)) -
                         static_cast<double>(std::stoull(firstValue->Value));
    const double shortest = std::chrono::duration<double>(second->Sent - first->Received).count();
    const double longest = std::chrono::duration<double>(second->Received - first->Sent).count();
    const double slack = 2 + 0.002 * growth.RatePerSecond * longest;
    EXPECT_GE(delta, growth.RatePerSecond * shortest - slack)
        << growth.Oid << " grew " << delta << " in " << shortest << "-" << longest
        << " s; expected " << growth.RatePerSecond << "/s";
    EXPECT_LE(delta, growth.RatePerSecond * longest + slack)
        << growth.Oid << " grew " << delta << " in " << shortest << "-" << longest
        << " s; expected " << growth.RatePerSecond << "/s";
  }
}

// The OID suffix of a client row: ifIndex, the SSID as length and octets, the MAC.
std::string ClientRow(int ifIndex, const std::string& ssid, const std::string& macHex) {
  std::string row = std::to_string(ifIndex) + "." + std::to_string(ssid.size());
  for (unsigned char c : ssid) row += "." + std::to_string(c);
  for (size_t i = 0; i < 12; i += 2) {
    row += "." + std::to_string(std::stoi(macHex.substr(i, 2), nullptr, 16));
  }
  return row;
}

class SimulatedDevices : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    support::EnsureQtApplication();
    Simulator();
  }
  void SetUp() override { ASSERT_TRUE(Simulator().Running()) << Simulator().Error(); }
};

TEST_F(SimulatedDevices, ServesEveryRecordingUnderItsOwnCommunity) {
  EXPECT_THAT(Simulator().Recordings(),
              ::testing::IsSupersetOf(std::vector<std::string>{kSwitch, kAccessPoint, kWritable}));
  auto engine = EngineForSimulator();
  EXPECT_EQ(ValueOf(*engine, kSwitch, kSysObjectId), "1.3.6.1.4.1.9.1.697");
  EXPECT_EQ(ValueOf(*engine, kAccessPoint, kSysObjectId), "1.3.6.1.4.1.9.1.685");
  EXPECT_EQ(ValueOf(*engine, kWritable, kSysObjectId), "1.3.6.1.4.1.8072.3.2.10");
  // A multi-line description keeps its line break.
  EXPECT_THAT(ValueOf(*engine, kSwitch, kSysDescr), ::testing::HasSubstr("(fc1)\r\nLinkwatch"));
  // An IpAddress keeps its octets in order (ipNetToMediaNetAddress of an ARP entry).
  EXPECT_EQ(ValueOf(*engine, kSwitch, "1.3.6.1.2.1.4.22.1.3.100.192.0.2.10"), "192.0.2.10");
}

struct VersionCase {
  std::string Name;
  int16_t Version;
};

void PrintTo(const VersionCase& c, std::ostream* out) { *out << c.Name; }

class SwitchOverEveryVersion : public SimulatedDevices,
                               public ::testing::WithParamInterface<VersionCase> {};

TEST_P(SwitchOverEveryVersion, AnswersIfNumberAndEveryInterfaceDescription) {
  auto engine = EngineForSimulator();
  const SnmpMessage base = Request(kSwitch, GetParam().Version);
  const SnmpMessage count = Get(*engine, base, {kIfNumber});
  ASSERT_EQ(count.ErrorCode, kSnmpSuccess) << count.ErrorText;
  EXPECT_EQ(count.Bindings.Item(0).Value, "50");
  EXPECT_EQ(count.Bindings.Item(0).ValueType, kSnmpInteger);

  const ColumnWalk descr = WalkColumn(*engine, base, kIfDescrColumn);
  ASSERT_TRUE(descr.Failure.empty()) << descr.Failure;
  ASSERT_EQ(descr.Rows.size(), 50u);
  for (int port = 1; port <= 48; ++port) {
    const auto row = descr.Rows.find(std::to_string(port));
    ASSERT_NE(row, descr.Rows.end()) << "port " << port << " is missing";
    EXPECT_EQ(row->second.Value, "GigabitEthernet0/" + std::to_string(port));
    EXPECT_EQ(row->second.ValueType, kSnmpOctetString);
  }
  EXPECT_EQ(descr.Rows.at("100").Value, "Vlan1");
  EXPECT_EQ(descr.Rows.at("200").Value, "Loopback0");

  const ColumnWalk admin = WalkColumn(*engine, base, kIfAdminStatusColumn);
  ASSERT_TRUE(admin.Failure.empty()) << admin.Failure;
  std::set<std::string> shutDown;
  for (const auto& [row, binding] : admin.Rows) {
    if (binding.Value == "2") shutDown.insert(row);
  }
  EXPECT_EQ(shutDown, std::set<std::string>{"47"});
}

INSTANTIATE_TEST_SUITE_P(Versions, SwitchOverEveryVersion,
                         ::testing::Values(VersionCase{"v1_get_next", 1},
                                           VersionCase{"v2c_get_bulk", 2},
                                           VersionCase{"v3_context_get_bulk", 3}),
                         [](const auto& info) { return info.param.Name; });

// The rates the monitoring tests expect are those at which the agent's counters grow
// (EveryGrowingObject checks those), with 32-bit and 64-bit counters of their types.
TEST_F(SimulatedDevices, SwitchTrafficRatesAreThoseOfItsGrowingCounters) {
  const std::vector<support::SimulatedInterfaceRate> rates = Simulator().InterfaceRates(kSwitch);
  ASSERT_EQ(rates.size(), 50u) << "switch48.rates.tsv is missing or incomplete";
  std::map<std::string, double> growing;
  for (const support::SimulatedCounter& counter : Simulator().Counters(kSwitch)) {
    growing[counter.Oid] = counter.RatePerSecond;
  }
  for (const support::SimulatedInterfaceRate& rate : rates) {
    const std::string index = std::to_string(rate.IfIndex);
    for (const auto& [column, perSecond] :
         {std::pair{kIfInOctetsColumn, rate.InOctetsPerSecond},
          std::pair{kIfOutOctetsColumn, rate.OutOctetsPerSecond},
          std::pair{kIfHCInOctetsColumn, rate.InOctetsPerSecond},
          std::pair{kIfHCOutOctetsColumn, rate.OutOctetsPerSecond}}) {
      EXPECT_EQ(growing[column + index], perSecond) << column << index;
    }
  }
  // The documented example: port n receives 1250 * n and sends 625 * n octets/s.
  EXPECT_EQ(rates.front().IfIndex, 1);
  EXPECT_EQ(rates.front().InOctetsPerSecond, 1250);
  EXPECT_EQ(rates.at(47).InOctetsPerSecond, 1250 * 48);
  EXPECT_EQ(rates.at(47).OutOctetsPerSecond, 625 * 48);

  // The 64-bit counters start past 2^32.
  auto engine = EngineForSimulator();
  const SnmpMessage read = Get(*engine, Request(kSwitch), {std::string(kIfInOctetsColumn) + "48",
                                                           std::string(kIfHCInOctetsColumn) + "48"});
  ASSERT_EQ(read.Bindings.Count(), 2) << read.ErrorText;
  EXPECT_EQ(read.Bindings.Item(0).ValueType, kSnmpCounter32);
  EXPECT_EQ(read.Bindings.Item(1).ValueType, kSnmpCounter64);
  EXPECT_GT(std::stoull(read.Bindings.Item(1).Value), 4294967296ULL);
}

class EveryGrowingObject : public SimulatedDevices,
                           public ::testing::WithParamInterface<std::string> {};

TEST_P(EveryGrowingObject, GrowsAtTheRateItsCountersFileGives) {
  const std::vector<support::SimulatedCounter> counters = Simulator().Counters(GetParam());
  ASSERT_FALSE(counters.empty()) << GetParam() << ".counters.tsv is missing";
  std::vector<std::string> oids;
  for (const support::SimulatedCounter& counter : counters) oids.push_back(counter.Oid);
  auto engine = EngineForSimulator();
  const std::vector<TimedRead> before = ReadTimed(*engine, GetParam(), oids);
  RunEventLoopFor(std::chrono::seconds(2));
  const std::vector<TimedRead> after = ReadTimed(*engine, GetParam(), oids);
  ExpectGrowth(counters, before, after);
  // Every value starts at or above its documented starting value.
  for (const support::SimulatedCounter& counter : counters) {
    const SnmpBinding* value = Find(before, counter.Oid).second;
    ASSERT_TRUE(value && !value->Value.empty()) << counter.Name;
    EXPECT_GE(std::stoull(value->Value), counter.Initial) << counter.Name;
  }
}

INSTANTIATE_TEST_SUITE_P(Recordings, EveryGrowingObject,
                         ::testing::Values(std::string(kSwitch), std::string(kAccessPoint)),
                         [](const auto& info) { return info.param; });

// The access point's clients: ifIndex, SSID, MAC, address and rates as recorded.
struct ExpectedClient {
  int IfIndex;
  std::string Ssid;
  std::string MacHex;
  std::string AddressHex;
};

const std::vector<ExpectedClient>& AccessPointClients() {
  static const std::vector<ExpectedClient> clients = {
      {1, "corp", "3C2EFF123456", "7F000001"},
      {1, "corp", "A4C3F0ABCDEF", "C0000215"},
      {1, "guest", "3C5AB40F1E2D", "C0000237"},
      {3, "corp", "F018989A8B7C", "C000021E"},
  };
  return clients;
}

TEST_F(SimulatedDevices, AccessPointClientTableWalksWithTheExpectedIndexes) {
  auto engine = EngineForSimulator();
  const SnmpMessage base = Request(kAccessPoint);
  // Like a real agent, the simulator never answers the address column: it is
  // part of the row index (the walk ends at once).
  const ColumnWalk addresses = WalkColumn(*engine, base, kClientAddressColumn);
  ASSERT_TRUE(addresses.Failure.empty()) << addresses.Failure;
  EXPECT_TRUE(addresses.Rows.empty());
  const ColumnWalk ips = WalkColumn(*engine, base, kClientIpAddressColumn);
  ASSERT_TRUE(ips.Failure.empty()) << ips.Failure;

  std::set<std::string> expectedRows;
  for (const ExpectedClient& client : AccessPointClients()) {
    const std::string row = ClientRow(client.IfIndex, client.Ssid, client.MacHex);
    expectedRows.insert(row);
    ASSERT_TRUE(ips.Rows.count(row)) << "client address of " << row << " is missing";
    EXPECT_EQ(ips.Rows.at(row).HexValue, client.AddressHex);
  }
  std::set<std::string> walkedRows;
  for (const auto& [row, binding] : ips.Rows) walkedRows.insert(row);
  EXPECT_EQ(walkedRows, expectedRows);

  // The first client's data rates, and the radios' own 802.11 settings.
  const std::string first = ClientRow(1, "corp", "3C2EFF123456");
  const ColumnWalk rates = WalkColumn(*engine, base, kClientDataRateSetColumn);
  ASSERT_TRUE(rates.Rows.count(first)) << rates.Failure;
  EXPECT_EQ(rates.Rows.at(first).HexValue, "02040B160C1218243048606C");
  EXPECT_EQ(ValueOf(*engine, kAccessPoint, std::string(kActiveWirelessClients) + "1"), "3");
  EXPECT_EQ(ValueOf(*engine, kAccessPoint, std::string(kActiveWirelessClients) + "3"), "1");
  EXPECT_EQ(ValueOf(*engine, kAccessPoint, std::string(kDot11CountryString) + "1"), "USI");
  EXPECT_EQ(ValueOf(*engine, kAccessPoint, std::string(kDot11PhyType) + "1"), "6");  // erp
  EXPECT_EQ(ValueOf(*engine, kAccessPoint, std::string(kDot11PhyType) + "3"), "4");  // ofdm
}

TEST(SimulatedDeviceData, ClientMacAddressesBelongToRegisteredManufacturers) {
  std::ifstream registry("/usr/share/ieee-data/oui.csv");
  if (!registry) GTEST_SKIP() << "the IEEE registry (ieee-data) is not installed";
  std::set<std::string> assigned;
  std::string line;
  while (std::getline(registry, line)) {
    if (line.rfind("MA-L,", 0) == 0 && line.size() > 11) assigned.insert(line.substr(5, 6));
  }
  for (const ExpectedClient& client : AccessPointClients()) {
    EXPECT_TRUE(assigned.count(client.MacHex.substr(0, 6)))
        << client.MacHex << " has no registered manufacturer";
  }
}

TEST_F(SimulatedDevices, WritableDeviceKeepsWhatIsWrittenAndRefusesItsReadOnlyObjects) {
  auto engine = EngineForSimulator();
  const SnmpMessage base = Request(kWritable);

  const std::string place = "Rack 7, shelf 2 = lab";
  const SnmpMessage written = Set(*engine, base, kSysLocation, place, kSnmpOctetString);
  ASSERT_EQ(written.ErrorCode, kSnmpSuccess) << written.ErrorText;
  EXPECT_EQ(ValueOf(*engine, kWritable, kSysLocation), place);

  const std::string eth0Admin = std::string(kIfAdminStatusColumn) + "1";
  ASSERT_EQ(Set(*engine, base, eth0Admin, "2", kSnmpInteger).ErrorCode, kSnmpSuccess);
  EXPECT_EQ(ValueOf(*engine, kWritable, eth0Admin), "2");
  ASSERT_EQ(Set(*engine, base, eth0Admin, "1", kSnmpInteger).ErrorCode, kSnmpSuccess);
  EXPECT_EQ(ValueOf(*engine, kWritable, eth0Admin), "1");

  // Read-only objects and a value of the wrong type are answered, never stored.
  const std::string eth1Admin = std::string(kIfAdminStatusColumn) + "2";
  const std::string description = ValueOf(*engine, kWritable, kSysDescr);
  Set(*engine, base, kSysDescr, "overwritten", kSnmpOctetString);
  Set(*engine, base, eth1Admin, "2", kSnmpInteger);
  Set(*engine, base, eth0Admin, "down", kSnmpOctetString);
  EXPECT_EQ(ValueOf(*engine, kWritable, kSysDescr), description);
  EXPECT_EQ(ValueOf(*engine, kWritable, eth1Admin), "1");
  EXPECT_EQ(ValueOf(*engine, kWritable, eth0Admin), "1");
}

TEST(SimulatedDeviceData, CommittedRecordingsMatchTheirGenerator) {
  const fs::path source(LINKWATCH_SOURCE_DIR);
  const fs::path committed = source / "tests" / "data" / "snmpsim";
  const support::TemporaryDirectory scratch("linkwatch-recordings");
  ASSERT_TRUE(scratch.Error().empty()) << scratch.Error();
  const fs::path fresh(scratch.Path());
  const fs::path generator = source / "tools" / "make-recordings.py";
  const std::string command = "/usr/bin/python3 '" + generator.string() + "' --output '" +
                              fresh.string() + "' > /dev/null";
  const int status = std::system(command.c_str());
  ASSERT_EQ(status, 0) << command;

  int files = 0;
  for (const auto& entry : fs::directory_iterator(fresh)) {
    ++files;
    const fs::path name = entry.path().filename();
    EXPECT_TRUE(fs::exists(committed / name)) << name << " is not committed";
    EXPECT_TRUE(support::ReadFile(entry.path()) == support::ReadFile(committed / name))
        << name << " differs from what tools/make-recordings.py writes; run it and commit";
  }
  EXPECT_GE(files, 3);
}

}  // namespace
}  // namespace linkwatch::snmpsimtest
