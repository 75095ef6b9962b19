// How close a poll cycle comes to what the wire allows, beside the peers.
//
// Two devices on loopback: net-snmp's snmpd serving this machine's interfaces
// (a configuration the benchmark writes, through the test support's SnmpdAgent),
// and snmpsim serving a device of 506 interfaces that the benchmark writes. Each
// is reached through a FaultLink that adds 0, 5 and 20 ms each way. For the
// command-line monitor's default statistics (ten columns) it measures, per cycle,
// the requests and the span from the first request to the last reply, as the
// link saw them (median of the runs):
//   - the control's later poll cycles, sequential (one walk after the other);
//   - the same with Synchronous (every column's walk at once);
//   - the same ten walks with net-snmp's snmpbulkwalk run one after another
//     (same OIDs, same repetitions);
//   - the same ten walks through net-snmp alone in this process (its synchronous
//     call on one session, no event loop, no control): what net-snmp's own work
//     costs with nothing else in the way;
//   - the wire alone: the requests of that walk, encoded beforehand, sent on a plain
//     socket one at a time with each answer only waited for: the least any client
//     at all spends, the agent's and the link's time;
//   - Prometheus' snmp_exporter scraping a module of the same numeric OIDs, when
//     Debian's prometheus-snmp-exporter is installed (it is not a dependency).
// and prints the ratios of the spans. The parties take turns within each run, so a
// machine that changes speed weighs on all of them alike. Beside each span it prints
// the processor time the client spent per cycle (the control's thread; snmpbulkwalk's
// processes; snmp_exporter's process), which a busy machine changes far less than
// spans, and for one request at a time the span's split as the link saw it: the
// client's time from each answer to its next request, and the agent's to answer.
//
// snmpd serves the interfaces of the network it runs in: for a device of 506
// interfaces, run the benchmark in a network namespace of its own with 505 tun
// devices beside its loopback (as root; the machine's own network is untouched):
//   unshare -n sh -c 'ip link set lo up; for i in $(seq 505); do
//     ip tuntap add t$i mode tun; done; build/bench/wire_bench'
//
//   wire_bench [runs at 0 ms] [runs with a delay] [snmpd-only]   (defaults 8 and 3;
//   0 runs leave those delays out, e.g. for a profiler: wire_bench 20 0 snmpd-only)
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/Globals.h"
#include "control/InterfaceList.h"
#include "platform/host/HostPlatform.h"
#include "platform/qt/QtEventLoop.h"
#include "statistics/StatisticTemplates.h"
#include "support/AgentProcess.h"
#include "support/BerMessage.h"
#include "support/EventLoop.h"
#include "support/FaultLink.h"
#include "support/Files.h"
#include "support/SnmpdAgent.h"
#include "support/SnmpsimAgent.h"
// Last: net-snmp's headers define macros (MIB among them) that the product's
// headers use as names.
#include "platform/netsnmp/NetSnmpSession.h"
#include "platform/netsnmp/OidText.h"
#include "platform/netsnmp/PduHandle.h"
#include "platform/netsnmp/SessionSettings.h"

extern char** environ;

namespace linkwatch {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// The command-line monitor's default statistics and the columns they walk.
constexpr const char* kStatistics =
    "Interface Name,Interface Status,Admin Status,Interface Type,Speed,In Traffic,Out Traffic,"
    "In Errors,Out Errors,MAC Address";
const std::vector<std::string> kColumnOids = {
    "1.3.6.1.2.1.2.2.1.2",  "1.3.6.1.2.1.2.2.1.8",  "1.3.6.1.2.1.2.2.1.7",
    "1.3.6.1.2.1.2.2.1.3",  "1.3.6.1.2.1.2.2.1.5",  "1.3.6.1.2.1.2.2.1.10",
    "1.3.6.1.2.1.2.2.1.16", "1.3.6.1.2.1.2.2.1.14", "1.3.6.1.2.1.2.2.1.20",
    "1.3.6.1.2.1.2.2.1.6"};
constexpr int kMaxBulkSize = 20;  // the control's largest get-bulk
constexpr int kWideInterfaces = 506;
constexpr const char* kWideName = "wide506";
constexpr auto kDeadline = 120s;

// One measured exchange: requests the agent was sent, first request to last reply.
struct Figure {
  uint64_t Requests = 0;
  double SpanMs = 0;
  double CpuMs = -1;  // processor time the client spent per exchange (mean); -1: unknown
  // Of one request at a time: the client's time from each answer to its next
  // request, and the agent's from each request to its answer, as the link saw them.
  double ClientMs = 0;
  double AgentMs = 0;
  bool Valid = false;
};

// Processor time in ms of one party to an exchange: this thread (where the control
// and its engine run; the link has a thread of its own), the children waited for
// (snmpbulkwalk), or another process (snmp_exporter). It shows what a cycle costs
// whatever else the machine is doing, unlike a span on a busy machine.
using CpuClock = std::function<double()>;

double ThisThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1000 + static_cast<double>(now.tv_nsec) / 1e6;
}

double ChildrenCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto ms = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) * 1000 + static_cast<double>(t.tv_usec) / 1000;
  };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double ProcessCpuMs(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t end = text.rfind(')');
  if (end == std::string::npos) return 0;
  std::istringstream fields(text.substr(end + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; fields >> field && i <= 15; ++i) {
    if (i == 14 || i == 15) ticks += std::strtod(field.c_str(), nullptr);  // utime, stime
  }
  return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

Figure Measured(const support::FaultLink& link) {
  const auto toAgent = link.Counts(support::LinkDirection::ToAgent);
  const auto toClient = link.Counts(support::LinkDirection::ToClient);
  Figure figure;
  figure.Requests = toAgent.Seen;
  figure.Valid = toAgent.Seen > 0 && toClient.Forwarded > 0;
  using Ms = std::chrono::duration<double, std::milli>;
  figure.SpanMs = Ms(toClient.LastForwarded - toAgent.FirstSeen).count();
  figure.ClientMs = Ms(toAgent.Answering).count();
  figure.AgentMs = Ms(toClient.Answering).count();
  return figure;
}

// One party to the comparison: how it does one exchange (a poll cycle, a set of
// walks, a scrape) and whose processor time that costs.
struct Party {
  Party() = default;
  Party(std::function<bool()> exchange, CpuClock cpu)
      : Exchange(std::move(exchange)), Cpu(std::move(cpu)) {}
  std::function<bool()> Exchange;
  CpuClock Cpu;
  std::vector<Figure> Runs;
  double CpuMs = 0;
  bool Failed = false;
};

double MedianOf(const std::vector<Figure>& runs, double Figure::*field) {
  std::vector<double> values;
  for (const Figure& run : runs) values.push_back(run.*field);
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Each run gives every party one exchange in turn, so a machine that slows down
// or speeds up during the measurement (other work, frequency changes) weighs on
// all parties alike; then each party's medians (span, client's and agent's time),
// the requests of its last exchange and its mean processor time per exchange.
std::vector<Figure> InterleavedMedians(int runs, support::FaultLink& link,
                                       std::vector<Party>& parties) {
  for (int run = 0; run < runs; ++run) {
    for (Party& party : parties) {
      if (party.Failed || !party.Exchange) continue;
      link.ResetCounts();
      const double cpuBefore = party.Cpu();
      if (!party.Exchange()) {
        party.Failed = true;
        continue;
      }
      party.CpuMs += party.Cpu() - cpuBefore;
      party.Runs.push_back(Measured(link));
      if (!party.Runs.back().Valid) party.Failed = true;
    }
  }
  std::vector<Figure> figures;
  for (Party& party : parties) {
    Figure figure;
    if (!party.Failed && !party.Runs.empty()) {
      figure = party.Runs.back();
      figure.SpanMs = MedianOf(party.Runs, &Figure::SpanMs);
      figure.ClientMs = MedianOf(party.Runs, &Figure::ClientMs);
      figure.AgentMs = MedianOf(party.Runs, &Figure::AgentMs);
      figure.CpuMs = party.CpuMs / static_cast<double>(party.Runs.size());
    }
    figures.push_back(figure);
  }
  return figures;
}

// A device the benchmark talks to.
struct Device {
  std::string Label;
  int Port = 0;
  std::string Community;
};

// The control polled through the link; false when a cycle did not end in time.
class PolledControl {
 public:
  PolledControl(int port, const std::string& community, bool synchronous) {
    list_.SetTarget("127.0.0.1");
    list_.SetSNMPPort(port);
    list_.SetCommunity(community);
    list_.SetSNMPTimeoutMs(2000);
    list_.SetSNMPRetries(1);
    list_.SetSynchronous(synchronous);
    list_.SetStatisticsList(kStatistics);
    // Only the benchmark polls: the control's timer must not add cycles.
    list_.SetAutoUpdate(false);
    list_.Status.Subscribe([this](bool&) {
      if (list_.WalksInProgress() == 0) ++cycles_;
    });
  }
  bool Start() {
    if (!list_.StartMonitoring()) {
      std::printf("    the control did not start: %s\n", list_.LastError().c_str());
      return false;
    }
    // The first cycle, then one poll of the benchmark's own: from then on the
    // control's timer polls no more (its second poll after the start is off).
    return WaitForCycles(1) && OneCycle();
  }
  bool OneCycle() {
    const int before = cycles_;
    list_.Poll(false);
    return WaitForCycles(before + 1);
  }
  int BulkSize() const { return std::min(list_.InterfaceCount() + 1, kMaxBulkSize); }
  int Interfaces() const { return list_.InterfaceCount(); }

 private:
  bool WaitForCycles(int count) {
    const bool ended = support::RunEventLoopUntil(
        [&] { return cycles_ >= count && list_.WalksInProgress() == 0; }, kDeadline);
    if (!ended) std::printf("    a poll cycle did not end within %lld s\n",
                            static_cast<long long>(kDeadline.count()));
    return ended;
  }
  InterfaceList list_;
  int cycles_ = 0;
};

// Runs a program with its output discarded; true when it exited 0.
bool RunQuietly(const std::vector<std::string>& arguments) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// snmpbulkwalk over every column, one walk after another.
bool BulkWalks(const std::string& program, int port, const std::string& community, int bulk) {
  for (const std::string& oid : kColumnOids) {
    if (!RunQuietly({program, "-v2c", "-c", community, "-Cr" + std::to_string(bulk), "-t", "2",
                     "-r", "1", "-m", "", "-On", "127.0.0.1:" + std::to_string(port), oid})) {
      std::printf("    snmpbulkwalk failed on %s\n", oid.c_str());
      return false;
    }
  }
  return true;
}

// The ten walks through net-snmp alone, one after another: a get-bulk at a time,
// each sent from the last OID of the previous answer until an answer leaves the
// column (the control's requests exactly). With sent, the OID each request
// started from is kept there.
bool LibraryWalks(int port, const std::string& community, int bulk,
                  std::vector<std::vector<oid>>* sent = nullptr) {
  netsnmp::SessionSettings settings;
  settings.Agent = "127.0.0.1";
  settings.Port = port;
  settings.TimeoutMs = 2000;
  settings.Community = community;
  netsnmp::SnmpFailure failure;
  const std::unique_ptr<netsnmp::NetSnmpSession> session =
      netsnmp::NetSnmpSession::Open(settings, failure);
  if (!session) {
    std::printf("    net-snmp could not open a session: %s\n", failure.Text.c_str());
    return false;
  }
  for (const std::string& column : kColumnOids) {
    std::vector<oid> base;
    netsnmp::OidText::Parse(column, base);
    std::vector<oid> last = base;
    for (bool inside = true; inside;) {
      netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GETBULK);
      request->non_repeaters = 0;
      request->max_repetitions = bulk;
      snmp_add_null_var(request, last.data(), last.size());
      if (sent) sent->push_back(last);
      netsnmp_pdu* answer = nullptr;
      // The call takes the request, whatever comes of it.
      const int status = snmp_sess_synch_response(session->Handle(), request, &answer);
      const netsnmp::PduHandle response(answer);
      if (status != STAT_SUCCESS || !response || response->errstat != SNMP_ERR_NOERROR) {
        std::printf("    net-snmp's walk of %s failed\n", column.c_str());
        return false;
      }
      inside = response->variables != nullptr;
      for (const netsnmp_variable_list* v = response->variables; v && inside; v = v->next_variable) {
        inside = v->type != SNMP_ENDOFMIBVIEW && v->name_length > base.size() &&
                 snmp_oid_compare(v->name, base.size(), base.data(), base.size()) == 0;
        if (inside) last.assign(v->name, v->name + v->name_length);
      }
    }
  }
  return true;
}

// The wire alone: the requests net-snmp sent in a walk, made beforehand, sent on a
// plain socket one at a time, each answer only waited for (not read). No client
// can spend less, so it is the floor under every party on this machine.
bool WireAlone(int port, const std::vector<std::string>& datagrams) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  sockaddr_in agent{};
  agent.sin_family = AF_INET;
  agent.sin_port = htons(static_cast<uint16_t>(port));
  agent.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const timeval timeout{2, 0};
  bool answered = setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout) == 0 &&
                  connect(fd, reinterpret_cast<const sockaddr*>(&agent), sizeof agent) == 0;
  std::vector<char> answer(65536);
  for (size_t i = 0; answered && i < datagrams.size(); ++i) {
    answered = send(fd, datagrams[i].data(), datagrams[i].size(), 0) ==
                   static_cast<ssize_t>(datagrams[i].size()) &&
               recv(fd, answer.data(), answer.size(), 0) > 0;
  }
  close(fd);
  if (!answered) std::printf("    the wire alone: a request went unanswered\n");
  return answered;
}

// The requests of one walk through net-snmp, as datagrams for the wire alone;
// none when the walk failed.
std::vector<std::string> WalkRequests(int port, const std::string& community, int bulk) {
  std::vector<std::vector<oid>> starts;
  std::vector<std::string> datagrams;
  if (!LibraryWalks(port, community, bulk, &starts)) return datagrams;
  for (const std::vector<oid>& start : starts) {
    const auto requestId = static_cast<int32_t>(datagrams.size() + 1);
    datagrams.push_back(support::BerMessage::Request(1, community, support::BerMessage::kGetBulk,
                                                     requestId, 0, bulk, start));
  }
  return datagrams;
}

// Prometheus' snmp_exporter on a TCP port of its own, with one module per device.
class Exporter {
 public:
  ~Exporter() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  bool Start(const std::string& program, const std::string& directory,
             const std::vector<std::pair<Device, int>>& devicesAndBulk) {
    const std::string config = directory + "/snmp.yml";
    std::ofstream file(config);
    for (const auto& [device, bulk] : devicesAndBulk) {
      file << device.Community << ":\n  version: 2\n  max_repetitions: " << bulk
           << "\n  retries: 1\n  timeout: 2s\n  auth:\n    community: " << device.Community
           << "\n  walk:\n";
      for (const std::string& oid : kColumnOids) file << "  - " << oid << "\n";
      file << "  metrics:\n";
      for (const std::string& oid : kColumnOids) {
        const std::string column = oid.substr(oid.rfind('.') + 1);
        const char* type = column == "2"   ? "DisplayString"
                           : column == "6" ? "PhysAddress48"
                                           : "gauge";
        file << "  - name: column" << column << "\n    oid: " << oid << "\n    type: " << type
             << "\n    indexes:\n    - labelname: ifIndex\n      type: gauge\n";
      }
    }
    file.close();
    port_ = FreeTcpPort();
    const std::vector<std::string> arguments = {
        program, "--config.file=" + config,
        "--web.listen-address=127.0.0.1:" + std::to_string(port_), "--log.level=error"};
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
      argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
    const auto until = Clock::now() + 15s;
    while (Clock::now() < until) {
      if (Get("/").find(" 200 ") != std::string::npos) return true;
      support::RunEventLoopUntil([] { return false; }, 20ms);  // let the exporter start
    }
    return false;
  }
  // One scrape of the device's module; true when it answered 200 with its values.
  double CpuMs() const { return ProcessCpuMs(pid_); }
  bool Scrape(const Device& device) {
    const std::string answer = Get("/snmp?module=" + device.Community +
                                   "&target=127.0.0.1:" + std::to_string(device.Port));
    return answer.find(" 200 ") != std::string::npos &&
           answer.find("column2{") != std::string::npos;
  }

 private:
  static int FreeTcpPort() {
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(sock, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(sock);
    return ntohs(address.sin_port);
  }
  std::string Get(const std::string& path) const {
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port_));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string answer;
    if (::connect(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      const std::string request = "GET " + path +
                                  " HTTP/1.0\r\nHost: 127.0.0.1\r\n"
                                  "X-Prometheus-Scrape-Timeout-Seconds: 120\r\n\r\n";
      if (::send(sock, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size())) {
        char buffer[65536];
        for (ssize_t got; (got = ::recv(sock, buffer, sizeof buffer, 0)) > 0;) {
          answer.append(buffer, static_cast<size_t>(got));
        }
      }
    }
    ::close(sock);
    return answer;
  }
  pid_t pid_ = -1;
  int port_ = 0;
};

// A device of many interfaces for snmpsim: system group, ifNumber and ten ifTable
// columns besides the ones walked, in OID order.
bool WriteWideRecording(const std::string& directory) {
  std::ofstream file(directory + "/" + kWideName + ".snmprec");
  file << "1.3.6.1.2.1.1.1.0|4|Wide benchmark switch\n"
       << "1.3.6.1.2.1.1.2.0|6|1.3.6.1.4.1.8072.3.2.10\n"
       << "1.3.6.1.2.1.1.3.0|67|123456\n"
       << "1.3.6.1.2.1.1.4.0|4|bench\n1.3.6.1.2.1.1.5.0|4|wide\n1.3.6.1.2.1.1.6.0|4|lab\n"
       << "1.3.6.1.2.1.2.1.0|2|" << kWideInterfaces << "\n";
  const auto row = [&](int column, const std::function<std::string(int)>& value) {
    for (int i = 1; i <= kWideInterfaces; ++i) {
      file << "1.3.6.1.2.1.2.2.1." << column << "." << i << "|" << value(i) << "\n";
    }
  };
  char mac[16];
  row(1, [](int i) { return "2|" + std::to_string(i); });
  row(2, [](int i) { return "4|GigabitEthernet1/0/" + std::to_string(i); });
  row(3, [](int) { return std::string("2|6"); });
  row(4, [](int) { return std::string("2|1500"); });
  row(5, [](int) { return std::string("66|1000000000"); });
  row(6, [&](int i) {
    std::snprintf(mac, sizeof mac, "001b54%06x", i);
    return "4x|" + std::string(mac);
  });
  row(7, [](int) { return std::string("2|1"); });
  row(8, [](int i) { return std::string(i % 7 == 0 ? "2|2" : "2|1"); });
  row(9, [](int) { return std::string("67|100"); });
  row(10, [](int i) { return "65|" + std::to_string(1000000L * i); });
  row(11, [](int i) { return "65|" + std::to_string(1000L * i); });
  row(14, [](int i) { return "65|" + std::to_string(i % 5); });
  row(16, [](int i) { return "65|" + std::to_string(2000000L * i); });
  row(17, [](int i) { return "65|" + std::to_string(2000L * i); });
  row(20, [](int i) { return "65|" + std::to_string(i % 3); });
  return static_cast<bool>(file);
}

std::string Ratio(const Figure& a, const Figure& b) {
  if (!a.Valid || !b.Valid || b.SpanMs <= 0) return "   -  ";
  char text[32];
  std::snprintf(text, sizeof text, "%5.2fx", a.SpanMs / b.SpanMs);
  return text;
}

void PrintFigure(const char* what, const Figure& figure, bool oneAtATime = true) {
  if (!figure.Valid) {
    std::printf("    %-34s (not measured)\n", what);
    return;
  }
  std::printf("    %-34s %5llu requests  %9.1f ms  (processor %6.1f ms", what,
              static_cast<unsigned long long>(figure.Requests), figure.SpanMs, figure.CpuMs);
  if (oneAtATime) {
    std::printf("; client %5.1f ms, agent %5.1f ms", figure.ClientMs, figure.AgentMs);
  }
  std::printf(")\n");
}

void MeasureDevice(const Device& device, int runsAtZero, int runsDelayed,
                   const std::string& bulkwalk, Exporter* exporter) {
  std::vector<std::string> datagrams;  // for the wire alone
  for (const int delayMs : {0, 5, 20}) {
    support::FaultLink link(device.Port);
    if (!link.Start()) {
      std::printf("  the link did not start: %s\n", link.Error().c_str());
      return;
    }
    support::LinkFaults faults;
    faults.Delay = std::chrono::milliseconds(delayMs);
    link.SetFaults(support::LinkDirection::ToAgent, faults);
    link.SetFaults(support::LinkDirection::ToClient, faults);
    const int runs = delayMs == 0 ? runsAtZero : runsDelayed;
    if (runs == 0) continue;
    const Device through{device.Label, link.Port(), device.Community};

    PolledControl sequential(through.Port, through.Community, false);
    PolledControl synchronous(through.Port, through.Community, true);
    if (!sequential.Start() || !synchronous.Start()) return;
    const int bulk = sequential.BulkSize();
    if (delayMs == 0) {
      std::printf("%s: %d interfaces, %zu columns, get-bulk of %d\n", device.Label.c_str(),
                  sequential.Interfaces(), kColumnOids.size(), bulk);
    }
    std::printf("  %d ms added each way (median of %d, the parties taking turns)\n", delayMs,
                runs);
    // The same requests serve every delay: recorded once, at the first.
    if (datagrams.empty()) datagrams = WalkRequests(through.Port, through.Community, bulk);
    std::vector<Party> parties(6);
    parties[0] = Party([&] { return sequential.OneCycle(); }, ThisThreadCpuMs);
    parties[1] = Party([&] { return synchronous.OneCycle(); }, ThisThreadCpuMs);
    if (!bulkwalk.empty()) {
      parties[2] = Party([&] { return BulkWalks(bulkwalk, through.Port, through.Community, bulk); },
                         ChildrenCpuMs);
    }
    parties[4] = Party([&] { return LibraryWalks(through.Port, through.Community, bulk); },
                       ThisThreadCpuMs);
    if (!datagrams.empty()) {
      parties[5] = Party([&] { return WireAlone(through.Port, datagrams); }, ThisThreadCpuMs);
    }
    if (exporter) {
      parties[3] = Party([&] { return exporter->Scrape(through); }, [&] { return exporter->CpuMs(); });
    }
    const std::vector<Figure> figures = InterleavedMedians(runs, link, parties);
    const Figure& seq = figures[0];
    const Figure& sync = figures[1];
    const Figure& walks = figures[2];
    const Figure& scrape = figures[3];
    const Figure& library = figures[4];
    const Figure& wire = figures[5];

    PrintFigure("control, sequential", seq);
    PrintFigure("control, Synchronous", sync, false);
    PrintFigure("snmpbulkwalk, one after another", walks);
    PrintFigure("snmp_exporter", scrape);
    PrintFigure("net-snmp alone, one process", library);
    PrintFigure("wire alone, requests made before", wire);
    std::printf("    ratios: sequential/snmpbulkwalk %s  Synchronous/snmpbulkwalk %s\n",
                Ratio(seq, walks).c_str(), Ratio(sync, walks).c_str());
    std::printf("            sequential/snmp_exporter %s (goal <= 0.75x)  "
                "Synchronous/snmp_exporter %s (goal <= 0.60x)\n",
                Ratio(seq, scrape).c_str(), Ratio(sync, scrape).c_str());
    std::printf("            Synchronous/sequential %s%s\n", Ratio(sync, seq).c_str(),
                delayMs == 20 ? " (goal <= 0.20x)" : "");
    std::printf("            sequential/net-snmp alone %s  net-snmp alone/snmp_exporter %s\n",
                Ratio(seq, library).c_str(), Ratio(library, scrape).c_str());
    std::printf("            net-snmp alone/wire alone %s  wire alone/snmp_exporter %s\n",
                Ratio(library, wire).c_str(), Ratio(wire, scrape).c_str());
  }
}

int Argument(int argc, char** argv, int index, int fallback) {
  return argc > index ? std::max(0, std::atoi(argv[index])) : fallback;
}

}  // namespace
}  // namespace linkwatch

int main(int argc, char** argv) {
  using namespace linkwatch;
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const int runsAtZero = Argument(argc, argv, 1, 8);
  const int runsDelayed = Argument(argc, argv, 2, 3);

  auto app = QtEventLoop::EnsureApplication();
  StatisticTemplates::SetFileOverride(std::string(LINKWATCH_SOURCE_DIR) + "/data/OSTLNK9.cfg");
  HostPlatform::InstallForThisThread(HostPlatformOptions{false});

  support::TemporaryDirectory scratch("linkwatch-wire-bench");
  if (!scratch.Error().empty() || !WriteWideRecording(scratch.Path())) {
    std::printf("cannot write the wide device: %s\n", scratch.Error().c_str());
    return 1;
  }
  support::SnmpdAgent snmpd;
  if (!snmpd.Start()) {
    std::printf("snmpd did not start: %s\n", snmpd.Error().c_str());
    return 1;
  }
  support::SnmpsimOptions simOptions;
  simOptions.RecordingsDirectory = scratch.Path();
  simOptions.Recordings = {kWideName};
  support::SnmpsimAgent snmpsim(simOptions);
  const bool snmpdOnly = argc > 3 && std::string(argv[3]) == "snmpd-only";
  const bool wide = !snmpdOnly && snmpsim.Start();
  if (!wide && !snmpdOnly) std::printf("snmpsim did not start (the wide device is left out): %s\n",
                         snmpsim.Error().c_str());

  const std::vector<Device> devices = [&] {
    std::vector<Device> list = {{"snmpd, this machine's interfaces", snmpd.Port(), "public"}};
    if (wide) list.push_back({"snmpsim, 506 interfaces", snmpsim.Port(), kWideName});
    return list;
  }();
  const std::string bulkwalk = support::AgentProcess::FindProgram("snmpbulkwalk", {}, {});
  if (bulkwalk.empty()) std::printf("snmpbulkwalk not found: its figures are left out\n");
  const std::string exporterProgram =
      support::AgentProcess::FindProgram("prometheus-snmp-exporter", {}, {"/usr/bin"});
  std::unique_ptr<Exporter> exporter;
  if (exporterProgram.empty()) {
    std::printf("prometheus-snmp-exporter is not installed: its figures are left out\n");
  } else {
    exporter = std::make_unique<Exporter>();
    // Its modules are named after the communities; the bulk sizes are the control's.
    std::vector<std::pair<Device, int>> modules;
    for (const Device& device : devices) {
      PolledControl probe(device.Port, device.Community, false);
      if (!probe.Start()) return 1;
      modules.emplace_back(device, probe.BulkSize());
    }
    if (!exporter->Start(exporterProgram, scratch.Path(), modules)) {
      std::printf("snmp_exporter did not start: its figures are left out\n");
      exporter.reset();
    }
  }
  for (const Device& device : devices) {
    MeasureDevice(device, runsAtZero, runsDelayed, bulkwalk, exporter.get());
  }
  exporter.reset();
  Globals::Reset();
  return 0;
}
