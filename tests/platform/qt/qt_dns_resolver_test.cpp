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
  std::string HostName;
  std::string Address;
  std::string Unused1;
  std::string Tag;
  std::string Unused2;
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

bool WaitForAnswers(const AnswerLog& log, std::size_t count) {
  return QtEventLoop::RunUntil([&] { return log.answers.size() >= count; }, kLookupDeadline);
}

bool WaitUntilIdle(const QtDnsResolver& resolver) {
  return QtEventLoop::RunUntil(
      [&] { return resolver.LookupsRunning() == 0 && resolver.LookupsWaiting() == 0; },
      kLookupDeadline);
}

TEST(QtDnsResolverTest, AnswersWithTheSystemsNameForTheAddress) {
  // 127.0.0.1 has a name on every machine; 192.0.2.1 is documentation space
  // (TEST-NET-1), which no name service knows.
  struct Case {
    const char* address;
    const char* tag;
  };
  for (const Case& c : {Case{"127.0.0.1", "7::REVERSE"}, Case{"192.0.2.1", "3:12:PEER"}}) {
    QtDnsResolver resolver;
    AnswerLog log(resolver);
    resolver.SetEnabled(true);
    resolver.SetTag(c.tag);
    resolver.Lookup(c.address);
    ASSERT_TRUE(WaitForAnswers(log, 1)) << c.address;
    ASSERT_EQ(log.answers.size(), 1u);
    const Answer& answer = log.answers[0];
    EXPECT_EQ(answer.HostName, SystemNameFor(c.address)) << c.address;
    EXPECT_EQ(answer.Address, c.address);
    EXPECT_EQ(answer.Tag, c.tag);
    EXPECT_EQ(answer.Unused1, "");
    EXPECT_EQ(answer.Unused2, "");
    EXPECT_TRUE(answer.OnOwningThread);
  }
  EXPECT_FALSE(SystemNameFor("127.0.0.1").empty());
  EXPECT_EQ(SystemNameFor("192.0.2.1"), "");
}

TEST(QtDnsResolverTest, TextsThatAreNoAddressGetNoName) {
  QtDnsResolver resolver;
  AnswerLog log(resolver);
  resolver.SetEnabled(true);
  const std::vector<std::string> texts = {"localhost", "1.2.3", "256.0.0.1", ""};
  for (const std::string& text : texts) {
    resolver.SetTag("tag " + text);
    resolver.Lookup(text);
  }
  ASSERT_TRUE(WaitForAnswers(log, texts.size()));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(log.answers[i].HostName, "");
    EXPECT_EQ(log.answers[i].Address, texts[i]);
    EXPECT_EQ(log.answers[i].Tag, "tag " + texts[i]);
  }
}

TEST(QtDnsResolverTest, EveryLookupKeepsTheTagSetBeforeIt) {
  QtDnsResolver resolver;
  AnswerLog log(resolver);
  resolver.SetEnabled(true);
  for (const char* tag : {"1::A", "2::B", "2:5:C"}) {
    resolver.SetTag(tag);
    resolver.Lookup("127.0.0.1");
  }
  ASSERT_TRUE(WaitForAnswers(log, 3));
  std::set<std::string> tags;
  for (const Answer& answer : log.answers) tags.insert(answer.Tag);
  EXPECT_EQ(tags, (std::set<std::string>{"1::A", "2::B", "2:5:C"}));
  EXPECT_EQ(resolver.Tag(), "2:5:C");
}

TEST(QtDnsResolverTest, EverySubscriberHearsEveryAnswerUntilItUnsubscribes) {
  QtDnsResolver resolver;
  AnswerLog first(resolver);
  int secondCount = 0;
  const int second = resolver.Subscribe(
      [&](std::string&, std::string&, std::string&, std::string&, std::string&) {
        ++secondCount;
      });
  resolver.SetEnabled(true);
  resolver.SetTag("1::A");
  resolver.Lookup("127.0.0.1");
  ASSERT_TRUE(WaitForAnswers(first, 1));
  EXPECT_EQ(secondCount, 1);

  resolver.Unsubscribe(second);
  resolver.SetTag("1::B");
  resolver.Lookup("127.0.0.1");
  ASSERT_TRUE(WaitForAnswers(first, 2));
  EXPECT_EQ(secondCount, 1);
}

TEST(QtDnsResolverTest, ADisabledResolverAnswersNothing) {
  QtDnsResolver resolver;
  AnswerLog log(resolver);
  EXPECT_FALSE(resolver.Enabled());  // until the control enables it
  resolver.SetTag("off");
  resolver.Lookup("127.0.0.1");
  resolver.Lookup("no address");
  EXPECT_EQ(resolver.LookupsRunning() + resolver.LookupsWaiting(), 0u);

  // Disabled while the lookup runs: its answer is dropped on arrival.
  resolver.SetEnabled(true);
  resolver.SetTag("dropped");
  resolver.Lookup("127.0.0.1");
  EXPECT_EQ(resolver.LookupsRunning(), 1u);
  resolver.SetEnabled(false);
  ASSERT_TRUE(WaitUntilIdle(resolver));

  // A later answer proves the loop ran past anything the disabled calls queued.
  resolver.SetEnabled(true);
  resolver.SetTag("on");
  resolver.Lookup("no address");
  ASSERT_TRUE(WaitForAnswers(log, 1));
  ASSERT_EQ(log.answers.size(), 1u);
  EXPECT_EQ(log.answers[0].Tag, "on");
}

TEST(QtDnsResolverTest, EqualRequestsInFlightAreAnsweredOnce) {
  QtDnsResolver resolver;
  AnswerLog log(resolver);
  resolver.SetEnabled(true);
  resolver.SetTag("4::REVERSE");
  resolver.Lookup("127.0.0.1");
  resolver.Lookup("127.0.0.1");
  resolver.SetTag("5::REVERSE");
  resolver.Lookup("127.0.0.1");
  EXPECT_EQ(resolver.LookupsRunning(), 2u);
  ASSERT_TRUE(WaitUntilIdle(resolver));
  EXPECT_EQ(log.answers.size(), 2u);
}

TEST(QtDnsResolverTest, WorkStaysBoundedAndTheOldestWaitersAreDropped) {
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
  ASSERT_TRUE(WaitUntilIdle(resolver));
  std::set<std::string> tags;
  for (const Answer& answer : log.answers) tags.insert(answer.Tag);
  EXPECT_EQ(tags, (std::set<std::string>{"0", "1", "7", "8", "9"}));
  EXPECT_EQ(log.answers.size(), 5u);
}

TEST(QtDnsResolverTest, DestroyingItWithLookupsInFlightIsSafe) {
  int lateAnswers = 0;
  {
    QtDnsResolver resolver;
    resolver.Subscribe([&](std::string&, std::string&, std::string&, std::string&, std::string&) {
      ++lateAnswers;
    });
    resolver.SetEnabled(true);
    for (int i = 0; i < 20; ++i) {
      resolver.SetTag(std::to_string(i));
      resolver.Lookup(i % 2 == 0 ? "127.0.0.1" : "192.0.2.1");
    }
    resolver.Lookup("no address");
  }
  // Another resolver's answers for the same addresses come after those the
  // destroyed one abandoned.
  QtDnsResolver sentinel;
  AnswerLog log(sentinel);
  sentinel.SetEnabled(true);
  sentinel.Lookup("127.0.0.1");
  sentinel.Lookup("192.0.2.1");
  ASSERT_TRUE(WaitForAnswers(log, 2));
  EXPECT_EQ(lateAnswers, 0);
}

TEST(QtDnsResolverTest, AHandlerMayDestroyTheResolver) {
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

  QtDnsResolver sentinel;
  AnswerLog log(sentinel);
  sentinel.SetEnabled(true);
  sentinel.Lookup("127.0.0.1");
  ASSERT_TRUE(WaitForAnswers(log, 1));
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace linkwatch
