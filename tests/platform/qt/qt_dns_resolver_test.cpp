// Reverse lookups through the system's name service, answered on the owning
// thread with the tag set before each lookup, bounded in work, and safe to
// destroy from its own handler.
#include "platform/qt/QtDnsResolver.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/qt/QtEventLoop.h"

namespace linkwatch {
namespace {

using namespace std::chrono_literals;

// Generous: the machine's name service may ask a DNS server for an address it
// does not know before it gives up.
constexpr auto kLookupDeadline = 30s;

struct Answer {
  std::string HostName, Address, Unused1, Tag, Unused2;
  bool OnOwningThread = false;
};

// Records every answer a resolver raises.
class AnswerLog {
 public:
  explicit AnswerLog(DnsResolver& resolver) {
    resolver.Subscribe([this](std::string& hostName, std::string& address, std::string& unused1,
                              std::string& tag, std::string& unused2) {
      answers.push_back({hostName, address, unused1, tag, unused2,
                         QThread::currentThread() == qApp->thread()});
    });
  }
  bool WaitFor(std::size_t count) const {
    return QtEventLoop::RunUntil([&] { return answers.size() >= count; }, kLookupDeadline);
  }
  std::set<std::string> Tags() const {
    std::set<std::string> tags;
    for (const Answer& answer : answers) tags.insert(answer.Tag);
    return tags;
  }
  std::vector<Answer> answers;
};

// What the system's name service says for the address: the name, or empty.
std::string SystemNameFor(const std::string& address) {
  sockaddr_in socketAddress{};
  socketAddress.sin_family = AF_INET;
  if (inet_pton(AF_INET, address.c_str(), &socketAddress.sin_addr) != 1) return {};
  char host[NI_MAXHOST] = {};
  if (getnameinfo(reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress, host,
                  sizeof host, nullptr, 0, NI_NAMEREQD) != 0) {
    return {};
  }
  return host == address ? std::string() : std::string(host);
}

// An enabled resolver and the log of its answers.
class QtDnsResolverTest : public ::testing::Test {
 protected:
  void SetUp() override { resolver.SetEnabled(true); }
  void Lookup(const std::string& tag, const std::string& address) {
    resolver.SetTag(tag);
    resolver.Lookup(address);
  }
  bool WaitUntilIdle() {
    return QtEventLoop::RunUntil(
        [&] { return resolver.LookupsRunning() == 0 && resolver.LookupsWaiting() == 0; },
        kLookupDeadline);
  }
  QtDnsResolver resolver;
  AnswerLog log{resolver};
};

TEST_F(QtDnsResolverTest, AnswersWithTheSystemsNameOrNothingForTextsThatAreNoAddress) {
  // 127.0.0.1 has a name on every machine; 192.0.2.1 is documentation space
  // (TEST-NET-1), which no name service knows.
  ASSERT_FALSE(SystemNameFor("127.0.0.1").empty());
  ASSERT_EQ(SystemNameFor("192.0.2.1"), "");
  Lookup("7::REVERSE", "127.0.0.1");
  ASSERT_TRUE(log.WaitFor(1));
  Lookup("3:12:PEER", "192.0.2.1");
  ASSERT_TRUE(log.WaitFor(2));
  // Texts that are no address, asked all at once, are answered in order, each
  // with the tag set before it.
  const std::vector<std::string> texts = {"localhost", ""};
  for (const std::string& text : texts) Lookup("tag " + text, text);
  ASSERT_TRUE(log.WaitFor(2 + texts.size()));
  const std::vector<std::vector<std::string>> expected = {
      {SystemNameFor("127.0.0.1"), "127.0.0.1", "7::REVERSE"},
      {"", "192.0.2.1", "3:12:PEER"}, {"", "localhost", "tag localhost"}, {"", "", "tag "}};
  ASSERT_EQ(log.answers.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const Answer& answer = log.answers[i];
    EXPECT_EQ((std::vector<std::string>{answer.HostName, answer.Address, answer.Tag}), expected[i]);
    EXPECT_EQ(answer.Unused1 + answer.Unused2, "");
    EXPECT_TRUE(answer.OnOwningThread);
  }
}

TEST_F(QtDnsResolverTest, ADisabledResolverAnswersNothing) {
  resolver.SetEnabled(false);
  Lookup("off", "127.0.0.1");
  resolver.Lookup("no address");
  EXPECT_EQ(resolver.LookupsRunning() + resolver.LookupsWaiting(), 0u);

  // Disabled while the lookup runs: its answer is dropped on arrival.
  resolver.SetEnabled(true);
  Lookup("dropped", "127.0.0.1");
  EXPECT_EQ(resolver.LookupsRunning(), 1u);
  resolver.SetEnabled(false);
  ASSERT_TRUE(WaitUntilIdle());

  // A later answer proves the loop ran past anything the disabled calls queued.
  resolver.SetEnabled(true);
  Lookup("on", "no address");
  ASSERT_TRUE(log.WaitFor(1));
  ASSERT_EQ(log.answers.size(), 1u);
  EXPECT_EQ(log.answers[0].Tag, "on");
}

// Equal requests merge and the oldest waiters are dropped (LookupQueue's rules).
TEST(QtDnsResolverLimits, WorkStaysBoundedAndTheOldestWaitersAreDropped) {
  QtDnsResolver resolver(QtDnsResolver::Limits{2, 3});
  AnswerLog log(resolver);
  resolver.SetEnabled(true);
  for (int i = 0; i < 10; ++i) {
    resolver.SetTag(std::to_string(i));
    resolver.Lookup("127.0.0.1");
    EXPECT_LE(resolver.LookupsRunning(), 2u);
    EXPECT_LE(resolver.LookupsWaiting(), 3u);
  }
  EXPECT_EQ(resolver.LookupsDropped(), 5u);
  ASSERT_TRUE(QtEventLoop::RunUntil(
      [&] { return resolver.LookupsRunning() == 0 && resolver.LookupsWaiting() == 0; },
      kLookupDeadline));
  EXPECT_EQ(log.Tags(), (std::set<std::string>{"0", "1", "7", "8", "9"}));
  EXPECT_EQ(log.answers.size(), 5u);
}

TEST(QtDnsResolverLifetime, DestroyingItFromAHandlerWithALookupInFlightIsSafe) {
  auto resolver = std::make_unique<QtDnsResolver>();
  int calls = 0;
  auto destroy = [&](std::string&, std::string&, std::string&, std::string&, std::string&) {
    ++calls;
    resolver.reset();
  };
  resolver->Subscribe(destroy);
  resolver->Subscribe(destroy);  // must not be called: the resolver is gone
  resolver->SetEnabled(true);
  resolver->Lookup("127.0.0.1");
  resolver->SetTag("second");
  resolver->Lookup("127.0.0.1");
  ASSERT_TRUE(QtEventLoop::RunUntil([&] { return resolver == nullptr; }, kLookupDeadline));

  // Another resolver's answer for the same address comes after the one the
  // destroyed resolver abandoned.
  QtDnsResolver sentinel;
  AnswerLog log(sentinel);
  sentinel.SetEnabled(true);
  sentinel.Lookup("127.0.0.1");
  ASSERT_TRUE(log.WaitFor(1));
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace linkwatch
