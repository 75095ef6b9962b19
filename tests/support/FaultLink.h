#pragma once
#include <netinet/in.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace linkwatch::support {

// The two directions of a FaultLink.
enum class LinkDirection { ToAgent, ToClient };

// What a FaultLink does to the datagrams a fault hits.
enum class LinkFault {
  None,
  Drop,                 // lose it
  Duplicate,            // send it twice
  Reorder,              // hold it and send it just after the next datagram (3 s at most)
  Truncate,             // cut it to TruncateTo bytes
  Corrupt,              // flip the bits of the last octet of its community
  RewriteRequestId,     // change its request id so that it matches no request
  GarbageFirst,         // send a datagram of octets that is no message just before it
  WrongRequestIdFirst,  // send a copy with another request id just before it
};

// The faults of one direction. Delay and Cut apply to every datagram; Fault to
// every Every-th one counted from when the faults were set. Communities and request
// ids are found in SNMPv1/v2c messages; in anything else Corrupt, RewriteRequestId
// and WrongRequestIdFirst flip the bits of the first octet instead.
struct LinkFaults {
  std::chrono::milliseconds Delay{0};
  LinkFault Fault = LinkFault::None;
  int Every = 1;
  size_t TruncateTo = 0;
  bool Cut = false;  // lose everything
};

// What went through one direction since the link started.
struct LinkCounts {
  uint64_t Seen = 0;       // datagrams received from the sender
  uint64_t Forwarded = 0;  // datagrams sent on, extra copies and garbage included
  uint64_t Hit = 0;        // datagrams the fault hit
  // When the first datagram came from the sender and when the last one was sent
  // on (the clock's epoch while there was none): a benchmark's span of an exchange
  // is the ToAgent FirstSeen to the ToClient LastForwarded.
  std::chrono::steady_clock::time_point FirstSeen{};
  std::chrono::steady_clock::time_point LastForwarded{};
  // Of exchanges one at a time: how long this direction's sender took, in all, from
  // the link handing it a datagram to its next one (the agent's time to answer, or
  // the client's from an answer to its next request).
  std::chrono::steady_clock::duration Answering{};
};

// A UDP relay on 127.0.0.1 between an SNMP client and an agent that damages the
// traffic on request: lost, late, doubled, reordered, cut and corrupted datagrams.
// Each client address gets a socket of its own towards the agent, so replies find the
// right client; of 32 at a time, the one heard from least recently gives up its socket
// to a new client (a benchmark runs a new snmpbulkwalk, a new address, per walk). The
// relay runs on a thread of its own (the test's thread runs Qt's event loop, and the
// control's synchronous exchanges block it). Faults and the cut may change at any
// time from any thread and apply from the next datagram. Queues are bounded; what
// does not fit is dropped.
//
//   linkwatch::support::FaultLink link(agent.Port());
//   ASSERT_TRUE(link.Start()) << link.Error();
//   link.SetFaults(LinkDirection::ToAgent, {.Fault = LinkFault::Drop, .Every = 2});
//   control.SetSNMPPort(link.Port());
class FaultLink {
 public:
  explicit FaultLink(int agentPort);
  ~FaultLink();
  FaultLink(const FaultLink&) = delete;
  FaultLink& operator=(const FaultLink&) = delete;

  // Opens the client-side socket on a free port and starts the relay thread; false
  // with Error() when a socket cannot be opened.
  bool Start();
  int Port() const { return port_; }
  const std::string& Error() const { return error_; }

  void SetFaults(LinkDirection direction, const LinkFaults& faults);
  // Loses everything in both directions until Restore(); other faults stay.
  void Cut() { SetCut(true); }
  void Restore() { SetCut(false); }

  LinkCounts Counts(LinkDirection direction) const;
  // Starts both directions' counts and times afresh (faults stay as they are).
  void ResetCounts();
  // Requests the agent was sent (or would have been sent, when lost on the way).
  uint64_t RequestsSeen() const { return Counts(LinkDirection::ToAgent).Seen; }

 private:
  struct Peer;
  struct Outgoing;
  struct Lane;

  void SetCut(bool cut);
  void Run();
  // Reads what waits from the clients (nullptr) or from the agent on a peer's socket.
  void Receive(Peer* agentSide);
  Peer* PeerFor(const sockaddr_in& client);
  void Pass(LinkDirection direction, std::string datagram, int socket, const sockaddr_in& to);
  void SendDue();
  int MillisecondsUntilNextDue() const;

  const int agentPort_;
  int port_ = 0;
  int clientSocket_ = -1;
  std::string error_;
  std::vector<Peer> peers_;                   // relay thread only
  uint64_t requestsRelayed_ = 0;              // relay thread only: orders peers by use
  std::deque<Outgoing> queue_;                // relay thread only
  // Made once: a fresh 64 KB buffer per datagram would add to every delay.
  std::string receiveBuffer_;                 // relay thread only
  std::unique_ptr<Lane> lanes_[2];            // settings and counts: under mutex_
  mutable std::mutex mutex_;
  std::atomic<bool> stopping_ = false;
  std::thread thread_;
};

}  // namespace linkwatch::support
