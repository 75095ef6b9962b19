#include "support/FaultLink.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <random>
#include <utility>

#include "support/SnmpDatagramLayout.h"

namespace linkwatch::support {

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kMaxDatagram = 65535;
constexpr size_t kMaxQueued = 512;       // late datagrams waiting for their time
constexpr size_t kMaxPeers = 32;         // client addresses with a socket towards the agent
constexpr int kMaxReadsPerWake = 64;     // per socket, so that a flood cannot starve the rest
// A reordered datagram waits at most this long: longer than a test's time-out, so
// that in a walk, where nothing else follows, the retry is what overtakes it.
constexpr std::chrono::seconds kMaxHold(3);
constexpr size_t kGarbageSize = 32;
constexpr size_t kHeaderWithoutLayout = 16;  // octets Corrupt may hit in an unreadable datagram
constexpr unsigned char kRequestIdChange = 0x5A;  // keeps the sign bit of the last octet

int LaneIndex(LinkDirection direction) { return direction == LinkDirection::ToAgent ? 0 : 1; }

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A non-blocking UDP socket bound to 127.0.0.1 and any free port; -1 on failure.
int OpenLoopbackSocket() {
  const int sock = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  const sockaddr_in address = Loopback(0);
  if (sock >= 0 && ::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(sock);
    return -1;
  }
  return sock;
}

bool SameAddress(const sockaddr_in& a, const sockaddr_in& b) {
  return a.sin_port == b.sin_port && a.sin_addr.s_addr == b.sin_addr.s_addr;
}

// Flips every bit of one octet of the message's header, at a position drawn from
// `random`: the version or the community of a v1/v2c message, so that the
// receiver cannot take the damaged message for a good one.
void CorruptHeader(std::string& datagram, std::mt19937& random) {
  const SnmpDatagramLayout layout = SnmpDatagramLayout::Of(datagram);
  const size_t span = std::min(datagram.size(),
                               layout.Readable ? layout.HeaderEnd : kHeaderWithoutLayout);
  if (span == 0) return;
  const size_t position = std::uniform_int_distribution<size_t>(0, span - 1)(random);
  datagram[position] = static_cast<char>(~static_cast<unsigned char>(datagram[position]));
}

void RewriteRequestId(std::string& datagram, std::mt19937& random) {
  const SnmpDatagramLayout layout = SnmpDatagramLayout::Of(datagram);
  if (!layout.Readable) {
    CorruptHeader(datagram, random);
    return;
  }
  const size_t last = layout.RequestIdOffset + layout.RequestIdLength - 1;
  datagram[last] = static_cast<char>(static_cast<unsigned char>(datagram[last]) ^ kRequestIdChange);
}

std::string Garbage(std::mt19937& random) {
  std::string garbage(kGarbageSize, '\0');
  for (char& c : garbage) c = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
  return garbage;
}

}  // namespace

// A client address and the socket through which its requests reach the agent.
struct FaultLink::Peer {
  sockaddr_in Client{};
  int Socket = -1;
  Clock::time_point LastUsed;
  ~Peer() {
    if (Socket >= 0) ::close(Socket);
  }
};

// A datagram on its way: sent by `Socket` at `Due`, to the client address `To`
// (ToClient) or to the agent's port at the time of sending (ToAgent).
struct FaultLink::Outgoing {
  Clock::time_point Due;
  LinkDirection Direction = LinkDirection::ToAgent;
  int Socket = -1;
  sockaddr_in To{};
  std::string Bytes;
};

// The settings, counts and state of one direction (under mutex_).
struct FaultLink::Lane {
  LinkFaults Faults;
  LinkCounts Counts;
  uint64_t SinceSet = 0;  // datagrams seen since the faults were set
  std::mt19937 Random;
  std::optional<Outgoing> Held;  // a reordered datagram waiting for the next one
  Clock::time_point HeldSince;
};

FaultLink::FaultLink(int agentPort) : agentPort_(agentPort) {
  for (auto& lane : lanes_) lane = std::make_unique<Lane>();
}

FaultLink::~FaultLink() {
  if (thread_.joinable()) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
    }
    Wake();
    thread_.join();
  }
  peers_.clear();
  if (clientSocket_ >= 0) ::close(clientSocket_);
  if (wakeFd_ >= 0) ::close(wakeFd_);
}

bool FaultLink::Start() {
  if (thread_.joinable()) return true;
  clientSocket_ = OpenLoopbackSocket();
  wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (clientSocket_ < 0 || wakeFd_ < 0) {
    error_ = "FaultLink cannot open its sockets: " + std::string(std::strerror(errno));
    return false;
  }
  sockaddr_in address{};
  socklen_t length = sizeof address;
  ::getsockname(clientSocket_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  receiveBuffer_.assign(kMaxDatagram, '\0');
  thread_ = std::thread([this] { Run(); });
  return true;
}

void FaultLink::SetAgentPort(int agentPort) {
  std::lock_guard<std::mutex> lock(mutex_);
  agentPort_ = agentPort;
}

void FaultLink::SetFaults(LinkDirection direction, const LinkFaults& faults) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Lane& lane = *lanes_[LaneIndex(direction)];
    lane.Faults = faults;
    lane.SinceSet = 0;
    lane.Random.seed(faults.Seed);
  }
  Wake();
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

void FaultLink::Wake() {
  if (wakeFd_ < 0) return;
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(wakeFd_, &one, sizeof one);
}

void FaultLink::Run() {
  std::vector<pollfd> watched;
  for (;;) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (stopping_) return;
    }
    watched.clear();
    watched.push_back({wakeFd_, POLLIN, 0});
    watched.push_back({clientSocket_, POLLIN, 0});
    for (const auto& peer : peers_) watched.push_back({peer->Socket, POLLIN, 0});
    ::poll(watched.data(), watched.size(), MillisecondsUntilNextDue());

    if (watched[0].revents & POLLIN) {
      uint64_t ignored = 0;
      [[maybe_unused]] const ssize_t read = ::read(wakeFd_, &ignored, sizeof ignored);
    }
    // Replies first: reading requests may make room for a new client by closing
    // the socket of the one used least recently.
    for (size_t i = 2; i < watched.size(); ++i) {
      if (!(watched[i].revents & POLLIN)) continue;
      const auto peer = std::find_if(peers_.begin(), peers_.end(),
                                     [&](const auto& p) { return p->Socket == watched[i].fd; });
      if (peer != peers_.end()) Receive(peer->get());
    }
    if (watched[1].revents & POLLIN) Receive(nullptr);
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
      agentSide->LastUsed = Clock::now();
      Pass(LinkDirection::ToClient, std::move(datagram), clientSocket_, agentSide->Client);
    } else if (Peer* peer = PeerFor(from)) {  // a request, through the client's own socket
      Pass(LinkDirection::ToAgent, std::move(datagram), peer->Socket, {});
    } else {
      return;
    }
  }
}

FaultLink::Peer* FaultLink::PeerFor(const sockaddr_in& client) {
  for (const auto& peer : peers_) {
    if (SameAddress(peer->Client, client)) {
      peer->LastUsed = Clock::now();
      return peer.get();
    }
  }
  if (peers_.size() >= kMaxPeers) {
    // The client used least recently gives up its socket, and its late datagrams.
    const auto oldest = std::min_element(
        peers_.begin(), peers_.end(),
        [](const auto& a, const auto& b) { return a->LastUsed < b->LastUsed; });
    const int socket = (*oldest)->Socket;
    const auto gone = std::remove_if(queue_.begin(), queue_.end(), [&](const Outgoing& o) {
      return o.Socket == socket || (o.Direction == LinkDirection::ToClient &&
                                    SameAddress(o.To, (*oldest)->Client));
    });
    queue_.erase(gone, queue_.end());
    peers_.erase(oldest);
  }
  auto peer = std::make_unique<Peer>();
  peer->Client = client;
  peer->Socket = OpenLoopbackSocket();
  peer->LastUsed = Clock::now();
  if (peer->Socket < 0) return nullptr;
  peers_.push_back(std::move(peer));
  return peers_.back().get();
}

void FaultLink::Pass(LinkDirection direction, std::string datagram, int socket,
                     const sockaddr_in& to) {
  std::vector<std::string> out;
  std::optional<Outgoing> released;
  std::chrono::milliseconds delay{0};
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Lane& lane = *lanes_[LaneIndex(direction)];
    const LinkFaults& faults = lane.Faults;
    const Clock::time_point now = Clock::now();
    if (lane.Counts.Seen++ == 0) lane.Counts.FirstSeen = now;
    const LinkCounts& toSender = lanes_[1 - LaneIndex(direction)]->Counts;
    if (toSender.Forwarded > 0) lane.Counts.Answering += now - toSender.LastForwarded;
    if (faults.Cut) {
      ++lane.Counts.Dropped;
      return;
    }
    ++lane.SinceSet;
    const bool hit =
        faults.Fault != LinkFault::None &&
        (faults.Probability > 0
             ? std::uniform_real_distribution<double>(0, 1)(lane.Random) < faults.Probability
             : faults.Every > 0 && lane.SinceSet % static_cast<uint64_t>(faults.Every) == 0);
    lane.Counts.Hit += hit ? 1 : 0;
    delay = faults.Delay;
    // What was held goes just after this datagram, whatever happens to this one.
    released = std::exchange(lane.Held, std::nullopt);
    bool pass = true;  // false: lost or held back
    switch (hit ? faults.Fault : LinkFault::None) {
      case LinkFault::Drop:
        ++lane.Counts.Dropped;
        pass = false;
        break;
      case LinkFault::Duplicate:
        out.push_back(datagram);
        break;
      case LinkFault::Reorder:
        if (!released) {  // else one is held already: this one overtakes it
          lane.Held = Outgoing{{}, direction, socket, to, std::move(datagram)};
          lane.HeldSince = Clock::now();
          pass = false;
        }
        break;
      case LinkFault::Truncate:
        datagram.resize(std::min(datagram.size(), faults.TruncateTo));
        break;
      case LinkFault::Corrupt:
        CorruptHeader(datagram, lane.Random);
        break;
      case LinkFault::RewriteRequestId:
        RewriteRequestId(datagram, lane.Random);
        break;
      case LinkFault::GarbageFirst:
        out.push_back(Garbage(lane.Random));
        break;
      case LinkFault::WrongRequestIdFirst:
        out.push_back(datagram);
        RewriteRequestId(out.back(), lane.Random);
        break;
      case LinkFault::None:
        break;
    }
    if (pass) out.push_back(std::move(datagram));
  }

  const Clock::time_point due = Clock::now() + delay;
  auto enqueue = [&](Outgoing outgoing) {
    if (queue_.size() >= kMaxQueued) {
      std::lock_guard<std::mutex> lock(mutex_);
      ++lanes_[LaneIndex(outgoing.Direction)]->Counts.Dropped;
      return;
    }
    // Kept in order of time due; equal times keep their order of arrival.
    const auto after = std::upper_bound(
        queue_.begin(), queue_.end(), outgoing.Due,
        [](Clock::time_point t, const Outgoing& o) { return t < o.Due; });
    queue_.insert(after, std::move(outgoing));
  };
  for (std::string& bytes : out) enqueue(Outgoing{due, direction, socket, to, std::move(bytes)});
  if (released) {
    released->Due = due;
    enqueue(std::move(*released));
  }
}

int FaultLink::MillisecondsUntilNextDue() const {
  std::optional<Clock::time_point> next;
  if (!queue_.empty()) next = queue_.front().Due;
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& lane : lanes_) {
    if (lane->Held && (!next || lane->HeldSince + kMaxHold < *next)) {
      next = lane->HeldSince + kMaxHold;
    }
  }
  if (!next) return -1;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(*next - Clock::now());
  return static_cast<int>(std::max<long long>(0, left.count()));
}

void FaultLink::SendDue() {
  const Clock::time_point now = Clock::now();
  // A held datagram that no other followed goes out after all.
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (auto& lane : lanes_) {
      if (lane->Held && lane->HeldSince + kMaxHold <= now) {
        lane->Held->Due = now;
        queue_.push_front(std::move(*lane->Held));
        lane->Held.reset();
      }
    }
  }
  while (!queue_.empty() && queue_.front().Due <= now) {
    Outgoing outgoing = std::move(queue_.front());
    queue_.pop_front();
    std::lock_guard<std::mutex> lock(mutex_);
    const sockaddr_in to =
        outgoing.Direction == LinkDirection::ToAgent ? Loopback(agentPort_) : outgoing.To;
    const ssize_t sent = ::sendto(outgoing.Socket, outgoing.Bytes.data(), outgoing.Bytes.size(), 0,
                                  reinterpret_cast<const sockaddr*>(&to), sizeof to);
    LinkCounts& counts = lanes_[LaneIndex(outgoing.Direction)]->Counts;
    if (sent < 0) {
      ++counts.Dropped;
    } else {
      ++counts.Forwarded;
      counts.LastForwarded = Clock::now();
    }
  }
}

}  // namespace linkwatch::support
