// Value texts of every SNMP type read from the real agent (an IpAddress also from
// an agent of the test's own), and how synchronous and asynchronous exchanges keep
// apart.
#include <cstdlib>
#include <map>
#include <stdexcept>

#include "EngineTestSupport.h"
#include "support/TableAgent.h"

namespace linkwatch::enginetest {
namespace {

// The number a HexValue of an unsigned type spells.
uint64_t HexNumber(const std::string& hex) { return std::strtoull(hex.c_str(), nullptr, 16); }

SnmpBinding GetOne(SnmpEngine& engine, const std::string& oid, int16_t version = 2) {
  const SnmpMessage response = SendAndWait(engine, Request(version, kSnmpGet, {oid}));
  EXPECT_EQ(response.ErrorCode, kSnmpSuccess) << oid << ": " << response.ErrorText;
  if (response.Bindings.Count() != 1) {
    ADD_FAILURE() << oid << ": " << response.Bindings.Count() << " bindings";
    return {};
  }
  return response.Bindings.Item(0);
}

TEST_F(EngineTest, OctetStringKeepsEveryByteAndGivesUpperCaseHex) {
  auto engine = EngineForAgent();
  const std::string bytes = "\xC3\xA9\x80\xFF\x7F\x01 z";
  SnmpMessage set = Request(2, kSnmpSet, {}, kWriteCommunity);
  set.Bindings.Add(kSysContact, bytes, kSnmpOctetString);
  const SnmpMessage written = SendAndWait(*engine, set);
  ASSERT_EQ(written.ErrorCode, kSnmpSuccess) << written.ErrorText;

  const SnmpBinding read = GetOne(*engine, kSysContact);
  EXPECT_EQ(read.ValueType, kSnmpOctetString);
  EXPECT_EQ(read.Value, bytes);
  EXPECT_EQ(read.HexValue, "C3A980FF7F01207A");
}

// Numbers are decimal with their octets in upper-case hex (an IpAddress: below).
TEST_F(EngineTest, NumbersGiveTheirDecimalTextAndTheirOctetsInHex) {
  auto engine = EngineForAgent();
  for (const auto& [oid, type] : std::vector<std::pair<std::string, int16_t>>{
           {"1.3.6.1.2.1.2.2.1.3.1", kSnmpInteger},  // ifType
           {kSysUpTime, kSnmpTimeTicks},
           {"1.3.6.1.2.1.2.2.1.10.1", kSnmpCounter32},
           {"1.3.6.1.2.1.2.2.1.5.1", kSnmpGauge32},
           {"1.3.6.1.2.1.31.1.1.1.6.1", kSnmpCounter64}}) {
    SCOPED_TRACE(oid);
    const SnmpBinding binding = GetOne(*engine, oid);
    EXPECT_EQ(binding.ValueType, type);
    ASSERT_FALSE(binding.Value.empty());
    EXPECT_EQ(binding.Value.find_first_not_of("0123456789"), std::string::npos) << binding.Value;
    EXPECT_EQ(std::to_string(HexNumber(binding.HexValue)), binding.Value);
    EXPECT_EQ(binding.HexValue.size() % 2, 0u);
    EXPECT_EQ(binding.HexValue.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  }
  // A Counter64 arrives as two 32-bit halves: in one answer, the loopback's 64-bit
  // octet count and its 32-bit one agree in their low 32 bits (the agent reads
  // both from one snapshot; the SNMP traffic of these tests alone makes it nonzero).
  const SnmpMessage both = SendAndWait(
      *engine, Request(2, kSnmpGet, {"1.3.6.1.2.1.2.2.1.10.1", "1.3.6.1.2.1.31.1.1.1.6.1"}));
  ASSERT_EQ(both.Bindings.Count(), 2) << both.ErrorText;
  const uint64_t octets32 = std::strtoull(both.Bindings.Item(0).Value.c_str(), nullptr, 10);
  const uint64_t octets64 = std::strtoull(both.Bindings.Item(1).Value.c_str(), nullptr, 10);
  EXPECT_NE(octets32, 0u);
  EXPECT_EQ(octets64 & 0xFFFFFFFFu, octets32) << octets64;
}

// An IpAddress is dotted. The local agent's own addresses repeat octets (127.0.0.1,
// 255.0.0.0); an agent of the test's own serves one whose four octets all differ.
TEST_F(EngineTest, AnIpAddressKeepsItsOctetsInOrder) {
  const std::string arpEntry = "1.3.6.1.2.1.4.22.1.3.100.192.0.2.10";
  support::TableAgent agent({.Objects = {arpEntry + "|64|192.0.2.10"}});
  ASSERT_TRUE(agent.Start()) << agent.Error();
  NetSnmpEngine engine;
  engine.SetTransport({agent.Port(), 2000, 1});

  const SnmpMessage response = SendAndWait(engine, Request(2, kSnmpGet, {arpEntry}, "public"));
  ASSERT_EQ(response.Bindings.Count(), 1) << response.ErrorText;
  EXPECT_EQ(response.Bindings.Item(0).ValueType, kSnmpIpAddress);
  EXPECT_EQ(response.Bindings.Item(0).Value, "192.0.2.10");
  EXPECT_EQ(response.Bindings.Item(0).HexValue, "C000020A");
}

// --- exchanges ---------------------------------------------------------------------

// The caller may reuse a message at once, and a handler that throws ends only its
// own reply.
TEST_F(EngineTest, AsynchronousRequestIsCopiedAndAThrowingHandlerEndsOnlyItsReply) {
  auto engine = EngineForAgent();
  std::vector<SnmpMessage> replies;
  engine->SetReplyHandler([&](SnmpMessage& reply) {
    replies.push_back(reply);
    if (reply.Tag == "first") throw std::overflow_error("a number out of range");
  });

  SnmpMessage message = Request(2, kSnmpGet, {kSysName});
  message.Tag = "first";
  bool byEvent = true;
  engine->Send(message, byEvent);
  EXPECT_EQ(engine->LastRequest().Tag, "first");
  // Reuse at once for another request.
  message.Tag = "second";
  message.Bindings.Clear();
  message.Bindings.Add(kSysDescr, "", kSnmpNull);
  engine->Send(message, byEvent);

  ASSERT_TRUE(support::RunEventLoopUntil([&] { return replies.size() == 2; }));
  std::map<std::string, std::string> oidByTag;
  for (const SnmpMessage& reply : replies) {
    ASSERT_EQ(reply.ErrorCode, kSnmpSuccess) << reply.ErrorText;
    ASSERT_EQ(reply.Bindings.Count(), 1);
    oidByTag[reply.Tag] = reply.Bindings.Item(0).OID;
  }
  EXPECT_EQ(oidByTag["first"], kSysName);
  EXPECT_EQ(oidByTag["second"], kSysDescr);
  EXPECT_EQ(engine->HandlerFailures(), 1u);
  EXPECT_EQ(engine->PendingReplies(), 0u);
}

TEST_F(EngineTest, SynchronousExchangeNeverDeliversAnotherExchangesReply) {
  auto engine = EngineForAgent();
  std::vector<std::string> handled;
  engine->SetReplyHandler([&](SnmpMessage& reply) {
    handled.push_back(reply.Tag);
    // While the handler runs, LastResponse is this reply.
    EXPECT_EQ(engine->LastResponse().Tag, reply.Tag);
  });

  SnmpMessage walk = Request(2, kSnmpGetBulk, {"1.3.6.1.2.1.2.2.1.2."});
  walk.Tag = "7:IFDESCR:1.3.6.1.2.1.2.2.1.2.";
  bool byEvent = true;
  engine->Send(walk, byEvent);

  // The agent has surely answered the walk by the time this get is answered.
  SnmpMessage probe = Request(2, kSnmpGet, {kSysObjectId});
  probe.Tag = "sysObjectID";
  const SnmpMessage answer = SendAndWait(*engine, probe);
  EXPECT_EQ(answer.Tag, "sysObjectID");
  EXPECT_EQ(answer.ErrorCode, kSnmpSuccess);
  EXPECT_TRUE(handled.empty()) << "a reply was delivered inside a synchronous Send";
  EXPECT_EQ(engine->LastResponse().Tag, "sysObjectID");

  ASSERT_TRUE(support::RunEventLoopUntil([&] { return handled.size() == 1; }));
  EXPECT_EQ(handled[0], "7:IFDESCR:1.3.6.1.2.1.2.2.1.2.");
}

TEST_F(EngineTest, HandlerMaySendTheNextRequestAndMayDestroyTheEngine) {
  auto engine = EngineForAgent();
  int replies = 0;
  engine->SetReplyHandler([&](SnmpMessage&) {
    ++replies;
    if (replies == 1) {
      SnmpMessage next = Request(2, kSnmpGet, {kSysName});
      bool byEvent = true;
      engine->Send(next, byEvent);
    } else {
      engine.reset();  // the control may go away while handling a reply
    }
  });
  SnmpMessage first = Request(2, kSnmpGet, {kSysDescr});
  bool byEvent = true;
  engine->Send(first, byEvent);
  ASSERT_TRUE(support::RunEventLoopUntil([&] { return !engine; }));
  EXPECT_EQ(replies, 2);
}

}  // namespace
}  // namespace linkwatch::enginetest
