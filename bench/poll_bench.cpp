// How fast walk replies become values, and how many requests one poll sends.
//
// A device with 1,000 interfaces is polled for 10 statistic columns. The first
// part replays a recorded poll (get-bulk replies of 20 bindings each) through
// the control's reply handler: every binding is routed to its interface, turned
// into a rate where it is a counter, and parsed for display; each reply also
// prepares the next request of its walk. It prints the bindings per second,
// first for a run that creates the interfaces, then for later polls.
// The second part runs whole poll cycles against a scripted agent holding the
// same table and counts the requests beside the least a bulk walk needs.
//
//   poll_bench [interfaces] [replayed polls]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "fakes/FakePlatform.h"
#include "model/Interfaces.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {
namespace {

constexpr int kBulk = 20;

struct Column {
  const char* name;
  const char* mib;
  const char* oid;
  const char* parser;
  bool counter;
};

// Ten everyday columns: names, status, speed, traffic, errors.
const Column kColumns[] = {
    {"Interface Name", "ifDescr", "1.3.6.1.2.1.2.2.1.2", "", false},
    {"Interface Type", "ifType", "1.3.6.1.2.1.2.2.1.3", "INTERFACETYPE", false},
    {"MTU", "ifMtu", "1.3.6.1.2.1.2.2.1.4", "NUMBER", false},
    {"Speed", "ifSpeed", "1.3.6.1.2.1.2.2.1.5", "BPS", false},
    {"MAC Address", "ifPhysAddress", "1.3.6.1.2.1.2.2.1.6", "MACADDRESS", false},
    {"Admin Status", "ifAdminStatus", "1.3.6.1.2.1.2.2.1.7", "ADMINSTATUS", false},
    {"Interface Status", "ifOperStatus", "1.3.6.1.2.1.2.2.1.8", "OPERSTATUS", false},
    {"In Traffic", "ifInOctets", "1.3.6.1.2.1.2.2.1.10", "TRAFFIC", true},
    {"In Errors", "ifInErrors", "1.3.6.1.2.1.2.2.1.14", "NUMBER", true},
    {"Out Traffic", "ifOutOctets", "1.3.6.1.2.1.2.2.1.16", "TRAFFIC", true},
};

std::string ValueOf(const Column& column, int ifIndex, int round) {
  const std::string name = column.name;
  if (name == "Interface Name") return "GigabitEthernet1/0/" + std::to_string(ifIndex);
  if (name == "Interface Type") return "6";
  if (name == "MTU") return "1500";
  if (name == "Speed") return "1000000000";
  if (name == "MAC Address") return std::string("\x00\x1b\x54", 3) + "abc";
  if (name == "Admin Status") return "1";
  if (name == "Interface Status") return ifIndex % 7 == 0 ? "2" : "1";
  return std::to_string(1000000LL * ifIndex + 125000LL * round * ifIndex);
}

// The agent's table: OID → value, ordered as an agent walks it.
struct OidLess {
  static std::vector<long> Arcs(const std::string& oid) {
    std::vector<long> arcs;
    const char* p = oid.c_str();
    while (*p) {
      char* end = nullptr;
      arcs.push_back(std::strtol(p, &end, 10));
      if (end == p) break;  // not a number: stop at what was read
      p = *end == '.' ? end + 1 : end;
    }
    return arcs;
  }
  bool operator()(const std::string& a, const std::string& b) const { return Arcs(a) < Arcs(b); }
};
using AgentTable = std::map<std::string, std::string, OidLess>;

// An engine that answers from the agent table without a network: synchronous
// gets at once, walk requests queued until the bench delivers them. It keeps no
// record of what was sent, only a count.
class ScriptedAgentEngine : public SnmpEngine {
 public:
  AgentTable* table = nullptr;
  long long requests = 0;  // walk requests (asynchronous)
  std::deque<SnmpMessage> queue;

  std::unique_ptr<SnmpMessage> NewMessage() override { return std::make_unique<SnmpMessage>(); }
  SnmpBinding NewBinding() override { return {}; }
  void Send(SnmpMessage& message, bool& deliverByEvent) override {
    lastRequest_ = message;
    if (deliverByEvent) {
      ++requests;
      queue.push_back(message);
    } else {
      lastResponse_ = Answer(message);
    }
  }
  SnmpMessage& LastResponse() override { return lastResponse_; }
  SnmpMessage& LastRequest() override { return lastRequest_; }
  void SetReplyHandler(ReplyHandler handler) override { handler_ = std::move(handler); }
  std::string ResolveHost(const std::string& name) override { return name; }
  void SetTransport(const SnmpTransport& transport) override { transport_ = transport; }
  SnmpTransport Transport() const override { return transport_; }

  // Hands a response to the control as the engine's reply event does.
  void Reply(SnmpMessage& response) {
    lastResponse_ = response;
    handler_(lastResponse_);
  }
  // Answers queued walk requests until none is left.
  void DeliverAll() {
    while (!queue.empty()) {
      SnmpMessage request = std::move(queue.front());
      queue.pop_front();
      SnmpMessage response = Answer(request);
      Reply(response);
    }
  }

  SnmpMessage Answer(const SnmpMessage& request) const {
    SnmpMessage response;
    response.Tag = request.Tag;
    const std::string& oid = request.Bindings.Item(0).OID;
    if (request.Kind == kSnmpGet) {
      const auto found = table->find(oid);
      response.Bindings.Add(oid, found == table->end() ? "" : found->second, kSnmpOctetString);
      return response;
    }
    std::string position = oid.back() == '.' ? oid.substr(0, oid.size() - 1) : oid;
    const int count = request.Kind == kSnmpGetBulk ? request.MaxRepetitions : 1;
    auto next = table->upper_bound(position);
    for (int i = 0; i < count; ++i, ++next) {
      if (next == table->end()) {
        response.Bindings.Add("", "", kSnmpEndOfMibView);
        break;
      }
      response.Bindings.Add(next->first, next->second, kSnmpOctetString);
    }
    return response;
  }

 private:
  ReplyHandler handler_;
  SnmpTransport transport_;
  SnmpMessage lastResponse_;
  SnmpMessage lastRequest_;
};

std::shared_ptr<fakes::FakePlatform> InstallPlatform(ScriptedAgentEngine*& made) {
  auto platform = std::make_shared<fakes::FakePlatform>();
  std::string xml = "<Portsight><Statistics>\n";
  for (const Column& c : kColumns) {
    platform->Mib().Register(c.mib, c.oid);
    xml += std::string("<Statistic NAME=\"") + c.name + "\" MIB=\"" + c.mib + "\" PARSER=\"" +
           c.parser + "\" UNITS=\"bps\" COUNTER=\"" + (c.counter ? "yes" : "no") + "\"/>\n";
  }
  xml += "</Statistics></Portsight>\n";
  platform->MakeSnmpEngine = [&made] {
    auto engine = std::make_unique<ScriptedAgentEngine>();
    made = engine.get();
    return engine;
  };
  Globals::Install(platform);
  Globals::Templates()->Clear();
  Globals::Templates()->RefreshFromText(xml);
  return platform;
}

AgentTable MakeAgent(int interfaces, int round) {
  AgentTable table;
  table["1.3.6.1.2.1.1.1.0"] = "Bench switch";
  table["1.3.6.1.2.1.1.2.0"] = "1.3.6.1.4.1.9.1.1";
  table["1.3.6.1.2.1.1.3.0"] = "123456";
  table["1.3.6.1.2.1.1.5.0"] = "bench";
  table["1.3.6.1.2.1.2.1.0"] = std::to_string(interfaces);
  for (const Column& c : kColumns) {
    for (int i = 1; i <= interfaces; ++i) {
      table[std::string(c.oid) + "." + std::to_string(i)] = ValueOf(c, i, round);
    }
  }
  return table;
}

std::string StatisticsList() {
  std::string list;
  for (const Column& c : kColumns) list += (list.empty() ? "" : ",") + std::string(c.name);
  return list;
}

// Replies of one recorded poll: each column in get-bulk replies of 20 bindings.
std::vector<SnmpMessage> RecordPoll(int pollId, int interfaces, int round) {
  std::vector<SnmpMessage> replies;
  for (const Column& c : kColumns) {
    const std::string base = std::string(c.oid) + ".";
    for (int first = 1; first <= interfaces; first += kBulk) {
      SnmpMessage reply;
      reply.Tag = std::to_string(pollId) + ":" + c.name + ":" + base;
      for (int i = first; i < first + kBulk && i <= interfaces; ++i) {
        SnmpBinding& binding =
            reply.Bindings.Add(base + std::to_string(i), ValueOf(c, i, round), kSnmpOctetString);
        binding.HexValue = "00";
      }
      replies.push_back(std::move(reply));
    }
  }
  return replies;
}

double ReplaySeconds(ScriptedAgentEngine& engine, std::vector<SnmpMessage>& replies) {
  const auto start = std::chrono::steady_clock::now();
  for (SnmpMessage& reply : replies) engine.Reply(reply);
  const auto stop = std::chrono::steady_clock::now();
  engine.queue.clear();  // the next requests the replies prepared
  return std::chrono::duration<double>(stop - start).count();
}

}  // namespace
}  // namespace linkwatch

int main(int argc, char** argv) {
  using namespace linkwatch;
  const int interfaces = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int polls = argc > 2 ? std::atoi(argv[2]) : 20;
  ScriptedAgentEngine* engine = nullptr;
  auto platform = InstallPlatform(engine);
  AgentTable table = MakeAgent(interfaces, 0);

  auto control = std::make_unique<InterfaceList>();
  engine->table = &table;
  control->SetTarget("10.0.0.1");
  control->SetStatisticsList(StatisticsList());

  // Part 1: whole cycles against the agent, counting walk requests.
  long long before = engine->requests;
  if (!control->StartMonitoring()) {
    std::fprintf(stderr, "start failed: %s\n", control->LastError().c_str());
    return 1;
  }
  engine->DeliverAll();
  const long long firstCycle = engine->requests - before;
  const long long perColumn = (interfaces + 1 + kBulk - 1) / kBulk;  // the column and one past it
  const long long columns = static_cast<long long>(std::size(kColumns));
  const long long systemWalk = 1;
  std::printf("device: %d interfaces, %lld statistic columns, get-bulk of %d\n", interfaces,
              columns, kBulk);
  std::printf("requests in the first cycle: %lld (least possible: %lld = %lld columns x %lld"
              " + %lld system walk; the three checks are covered by the columns)\n",
              firstCycle, columns * perColumn + systemWalk, columns, perColumn, systemWalk);
  platform->Time().AdvanceSeconds(30);
  table = MakeAgent(interfaces, 1);
  before = engine->requests;
  control->Poll(false);
  engine->DeliverAll();
  std::printf("requests in a later cycle: %lld (least possible: %lld)\n",
              engine->requests - before, columns * perColumn);

  // Part 2: replaying recorded polls through the reply handler.
  const long long bindingsPerPoll = columns * interfaces;
  control->StartMonitoring();  // a new run: a new, empty collection
  engine->DeliverAll();
  control->StartMonitoring();
  engine->queue.clear();
  std::vector<SnmpMessage> replies = RecordPoll(control->PollID(), interfaces, 0);
  const double creating = ReplaySeconds(*engine, replies);
  double later = 0;
  for (int round = 1; round <= polls; ++round) {
    platform->Time().AdvanceSeconds(30);
    replies = RecordPoll(control->PollID(), interfaces, round);
    later += ReplaySeconds(*engine, replies);
  }
  std::printf("replay, poll creating the interfaces: %.0f bindings/s (%.1f ms for %lld)\n",
              static_cast<double>(bindingsPerPoll) / creating, creating * 1000, bindingsPerPoll);
  std::printf("replay, later polls: %.0f bindings/s (%.1f ms per poll of %lld, %d polls)\n",
              static_cast<double>(bindingsPerPoll) * polls / later, later * 1000 / polls,
              bindingsPerPoll, polls);
  std::printf("goal: at least 500000 bindings/s on one core in a Release build\n");
  const auto row = control->Interfaces()->Item("I:1");
  std::printf("check: interface 1 In Traffic = %s\n",
              row ? row->Statistics()->Item("In Traffic")->ParsedValue().c_str() : "(none)");
  control.reset();
  Globals::Reset();
  return 0;
}
