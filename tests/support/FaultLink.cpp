#include "support/FaultLink.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

#include "support/BackgroundProcess.h"

namespace linkwatch::support {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxDatagram = 65535;
constexpr size_t kMaxQueued = 512;       // late datagrams waiting for their time
constexpr size_t kMaxPeers = 32;         // client addresses relayed, each with its own socket
constexpr int kMaxReadsPerWake = 64;     // per socket, so that a flood cannot starve the rest
// A reordered datagram waits at most this long: longer than a test's time-out, so
// that in a walk, where nothing else follows, the retry is what overtakes it.
constexpr std::chrono::seconds kMaxHold(3);
// An unknown BER tag (0xFF) first: no receiver can take it for a message.
const std::string kGarbage(32, '\xFF');
constexpr unsigned char kRequestIdChange = 0x5A;  // keeps the sign bit of the last octet

int LaneIndex(LinkDirection direction) { return direction == LinkDirection::ToAgent ? 0 : 1; }

// A non-blocking UDP socket bound to 127.0.0.1 and any free port; -1 on failure.
int OpenLoopbackSocket() {
  const int sock = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  const sockaddr_in address = LoopbackAddress(0);
  if (sock >= 0 && ::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(sock);
    return -1;
  }
  return sock;
}

bool SameAddress(const sockaddr_in& a, const sockaddr_in& b) {
  return a.sin_port == b.sin_port && a.sin_addr.s_addr == b.sin_addr.s_addr;
}

// Where the contents of the BER element of tag `type` at `offset` start and end;
// nullopt when it has another tag or does not fit inside the datagram.
std::optional<std::pair<size_t, size_t>> Contents(std::string_view data, size_t offset,
                                                   unsigned char type) {
  if (offset + 2 > data.size() || static_cast<unsigned char>(data[offset]) != type) {
    return std::nullopt;
  }
  size_t start = offset + 2;
  size_t length = static_cast<unsigned char>(data[offset + 1]);
  if (length & 0x80) {
    const size_t octets = length & 0x7F;
    if (octets == 0 || octets > 4 || start + octets > data.size()) return std::nullopt;
    length = 0;
    for (size_t i = 0; i < octets; ++i) {
      length = (length << 8) | static_cast<unsigned char>(data[start + i]);
    }
    start += octets;
  }
  if (start + length > data.size()) return std::nullopt;
  return std::pair{start, start + length};
}

// Where an SNMPv1/v2c message's own header ends (just past the community) and
// where the last octet of its request id lies. Only the outer layers are read;
// anything else (SNMPv3, garbage, a truncated datagram) has no layout.
struct DatagramLayout {
  size_t HeaderEnd = 0;
  size_t RequestIdLast = 0;
};

std::optional<DatagramLayout> LayoutOf(std::string_view datagram) {
  const auto message = Contents(datagram, 0, 0x30);
  // Version 0 (SNMPv1) or 1 (SNMPv2c), in one octet.
  const auto version = message ? Contents(datagram, message->first, 0x02) : std::nullopt;
  if (!version || version->second != version->first + 1 ||
      static_cast<unsigned char>(datagram[version->first]) > 1) {
    return std::nullopt;
  }
  const auto community = Contents(datagram, version->second, 0x04);
  if (!community || community->second >= datagram.size()) return std::nullopt;
  // Any PDU from get-request (0xA0) to report (0xA8): its tag is taken as it is.
  const auto pduType = static_cast<unsigned char>(datagram[community->second]);
  const auto pdu = Contents(datagram, community->second, pduType);
  if (pduType < 0xA0 || pduType > 0xA8 || !pdu) return std::nullopt;
  const auto requestId = Contents(datagram, pdu->first, 0x02);
  if (!requestId || requestId->second == requestId->first) return std::nullopt;
  return DatagramLayout{community->second, requestId->second - 1};
}

void FlipBits(std::string& datagram, size_t position) {
  if (position < datagram.size()) datagram[position] = static_cast<char>(~datagram[position]);
}

// The last octet of the community (or its length, when it is empty) of a v1/v2c
// message: the receiver cannot take the damaged message for a good one.
void CorruptHeader(std::string& datagram) {
  const auto layout = LayoutOf(datagram);
  FlipBits(datagram, layout ? layout->HeaderEnd - 1 : 0);
}

void RewriteRequestId(std::string& datagram) {
  const auto layout = LayoutOf(datagram);
  if (!layout) return FlipBits(datagram, 0);
  char& last = datagram[layout->RequestIdLast];
  last = static_cast<char>(static_cast<unsigned char>(last) ^ kRequestIdChange);
}

}  // namespace

// A client address and the socket through which its requests reach the agent.
// (Closed with the link.)
struct FaultLink::Peer {
  sockaddr_in Client{};
  int Socket = -1;
  uint64_t LastUsed = 0;  // requestsRelayed_ at its latest request
};

// A datagram on its way: sent by `Socket` at `Due`, to the client address `To`
// (ToClient) or to the agent's port at the time of sending (ToAgent). A reordered
// one is Held until the next datagram of its direction, kMaxHold at most.
struct FaultLink::Outgoing {
  Clock::time_point Due;
  LinkDirection Direction = LinkDirection::ToAgent;
  int Socket = -1;
  sockaddr_in To{};
  std::string Bytes;
  bool Held = false;
};

// The settings, counts and state of one direction (under mutex_).
struct FaultLink::Lane {
  LinkFaults Faults;
  LinkCounts Counts;
  uint64_t SinceSet = 0;  // datagrams seen since the faults were set
};

FaultLink::FaultLink(int agentPort) : agentPort_(agentPort) {
  for (auto& lane : lanes_) lane = std::make_unique<Lane>();
}

FaultLink::~FaultLink() {
  if (thread_.joinable()) {
    stopping_ = true;
    // An empty datagram to the link's own port wakes the relay thread.
    const sockaddr_in self = LoopbackAddress(port_);
    ::sendto(clientSocket_, "", 0, 0, reinterpret_cast<const sockaddr*>(&self), sizeof self);
    thread_.join();
  }
  for (const Peer& peer : peers_) ::close(peer.Socket);
  if (clientSocket_ >= 0) ::close(clientSocket_);
}

bool FaultLink::Start() {
  if (thread_.joinable()) return true;
  clientSocket_ = OpenLoopbackSocket();
  if (clientSocket_ < 0) {
    error_ = "FaultLink cannot open its socket: " + std::string(std::strerror(errno));
    return false;
  }
  port_ = BoundPort(clientSocket_);
  receiveBuffer_.assign(kMaxDatagram, '\0');
  thread_ = std::thread([this] { Run(); });
  return true;
}

void FaultLink::SetFaults(LinkDirection direction, const LinkFaults& faults) {
  std::lock_guard<std::mutex> lock(mutex_);
  Lane& lane = *lanes_[LaneIndex(direction)];
  lane.Faults = faults;
  lane.SinceSet = 0;
}

void FaultLink::SetCut(bool cut) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& lane : lanes_) lane->Faults.Cut = cut;
}

LinkCounts FaultLink::Counts(LinkDirection direction) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lanes_[LaneIndex(direction)]->Counts;
}

void FaultLink::ResetCounts() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& lane : lanes_) lane->Counts = LinkCounts{};
}

void FaultLink::Run() {
  std::vector<pollfd> watched;
  while (true) {
    watched.clear();
    watched.push_back({clientSocket_, POLLIN, 0});
    for (const Peer& peer : peers_) watched.push_back({peer.Socket, POLLIN, 0});
    ::poll(watched.data(), watched.size(), MillisecondsUntilNextDue());
    if (stopping_) return;
    // watched[1 + i] is peers_[i]: only Receive(nullptr), below, adds peers.
    for (size_t i = 1; i < watched.size(); ++i) {
      if (watched[i].revents & POLLIN) Receive(&peers_[i - 1]);
    }
    if (watched[0].revents & POLLIN) Receive(nullptr);
    SendDue();
  }
}

void FaultLink::Receive(Peer* agentSide) {
  const int socket = agentSide ? agentSide->Socket : clientSocket_;
  for (int i = 0; i < kMaxReadsPerWake; ++i) {
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t size = ::recvfrom(socket, receiveBuffer_.data(), receiveBuffer_.size(), 0,
                                    reinterpret_cast<sockaddr*>(&from), &length);
    if (size < 0) return;
    std::string datagram = receiveBuffer_.substr(0, static_cast<size_t>(size));
    if (agentSide) {  // a reply, to the client of this socket
      Pass(LinkDirection::ToClient, std::move(datagram), clientSocket_, agentSide->Client);
    } else if (Peer* peer = PeerFor(from)) {  // a request, through the client's own socket
      Pass(LinkDirection::ToAgent, std::move(datagram), peer->Socket, {});
    } else {
      return;
    }
  }
}

FaultLink::Peer* FaultLink::PeerFor(const sockaddr_in& client) {
  const uint64_t now = ++requestsRelayed_;
  for (Peer& peer : peers_) {
    if (SameAddress(peer.Client, client)) {
      peer.LastUsed = now;
      return &peer;
    }
  }
  if (peers_.size() < kMaxPeers) {
    const int socket = OpenLoopbackSocket();
    if (socket < 0) return nullptr;
    peers_.push_back({client, socket, now});
    return &peers_.back();
  }
  // All sockets taken: the client heard from least recently gives its socket up.
  // Late replies to it reach the new client, which matches them to no request.
  Peer& oldest = *std::min_element(peers_.begin(), peers_.end(), [](const Peer& a, const Peer& b) {
    return a.LastUsed < b.LastUsed;
  });
  oldest.Client = client;
  oldest.LastUsed = now;
  return &oldest;
}

void FaultLink::Pass(LinkDirection direction, std::string datagram, int socket,
                     const sockaddr_in& to) {
  std::vector<std::string> out;
  std::optional<Outgoing> released;
  bool hold = false;
  std::chrono::milliseconds delay{0};
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Lane& lane = *lanes_[LaneIndex(direction)];
    const LinkFaults& faults = lane.Faults;
    const Clock::time_point now = Clock::now();
    if (lane.Counts.Seen++ == 0) lane.Counts.FirstSeen = now;
    const LinkCounts& toSender = lanes_[1 - LaneIndex(direction)]->Counts;
    if (toSender.Forwarded > 0) lane.Counts.Answering += now - toSender.LastForwarded;
    if (faults.Cut) return;
    ++lane.SinceSet;
    const bool hit = faults.Fault != LinkFault::None && faults.Every > 0 &&
                     lane.SinceSet % static_cast<uint64_t>(faults.Every) == 0;
    lane.Counts.Hit += hit ? 1 : 0;
    delay = faults.Delay;
    // What was held goes just after this datagram, whatever happens to this one.
    const auto held = std::find_if(queue_.begin(), queue_.end(), [&](const Outgoing& o) {
      return o.Held && o.Direction == direction;
    });
    if (held != queue_.end()) {
      released = std::move(*held);
      queue_.erase(held);
    }
    bool pass = true;  // false: lost or held back
    switch (hit ? faults.Fault : LinkFault::None) {
      case LinkFault::Drop:
        pass = false;
        break;
      case LinkFault::Duplicate:
        out.push_back(datagram);
        break;
      case LinkFault::Reorder:
        hold = !released;  // else one was held already: this one overtakes it
        pass = !hold;
        break;
      case LinkFault::Truncate:
        datagram.resize(std::min(datagram.size(), faults.TruncateTo));
        break;
      case LinkFault::Corrupt:
        CorruptHeader(datagram);
        break;
      case LinkFault::RewriteRequestId:
        RewriteRequestId(datagram);
        break;
      case LinkFault::GarbageFirst:
        out.push_back(kGarbage);
        break;
      case LinkFault::WrongRequestIdFirst:
        out.push_back(datagram);
        RewriteRequestId(out.back());
        break;
      case LinkFault::None:
        break;
    }
    if (pass) out.push_back(std::move(datagram));
  }

  const Clock::time_point due = Clock::now() + delay;
  auto enqueue = [&](Outgoing outgoing) {
    if (queue_.size() >= kMaxQueued) return;
    // Kept in order of time due; equal times keep their order of arrival.
    const auto after = std::upper_bound(
        queue_.begin(), queue_.end(), outgoing.Due,
        [](Clock::time_point t, const Outgoing& o) { return t < o.Due; });
    queue_.insert(after, std::move(outgoing));
  };
  for (std::string& bytes : out) enqueue(Outgoing{due, direction, socket, to, std::move(bytes)});
  if (released) {
    released->Due = due;
    released->Held = false;
    enqueue(std::move(*released));
  }
  if (hold) enqueue(Outgoing{due + kMaxHold, direction, socket, to, std::move(datagram), true});
}

int FaultLink::MillisecondsUntilNextDue() const {
  if (queue_.empty()) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(queue_.front().Due - Clock::now());
  return static_cast<int>(std::max<long long>(0, left.count()));
}

void FaultLink::SendDue() {
  // A held datagram that no other followed goes out after all, in its turn.
  const Clock::time_point now = Clock::now();
  while (!queue_.empty() && queue_.front().Due <= now) {
    Outgoing outgoing = std::move(queue_.front());
    queue_.pop_front();
    std::lock_guard<std::mutex> lock(mutex_);
    const sockaddr_in to =
        outgoing.Direction == LinkDirection::ToAgent ? LoopbackAddress(agentPort_) : outgoing.To;
    const ssize_t sent = ::sendto(outgoing.Socket, outgoing.Bytes.data(), outgoing.Bytes.size(), 0,
                                  reinterpret_cast<const sockaddr*>(&to), sizeof to);
    LinkCounts& counts = lanes_[LaneIndex(outgoing.Direction)]->Counts;
    if (sent >= 0) {
      ++counts.Forwarded;
      counts.LastForwarded = Clock::now();
    }
  }
}

}  // namespace linkwatch::support
