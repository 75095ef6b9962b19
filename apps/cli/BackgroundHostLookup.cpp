#include "BackgroundHostLookup.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

#include <atomic>
#include <thread>

namespace linkwatch::cli {
namespace {

std::string FirstIpv4Address(const std::string& name) {
  if (name.empty()) return {};
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return {};
  std::string address;
  for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET || entry->ai_addr == nullptr) continue;
    char text[INET_ADDRSTRLEN] = {};
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
    if (inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text) != nullptr) {
      address = text;
      break;
    }
  }
  freeaddrinfo(found);
  return address;
}

}  // namespace

// Shared by the caller and the lookup's thread, so either may finish first.
struct BackgroundHostLookup::Answer {
  std::atomic<bool> Done{false};
  std::string Address;  // written before Done is set
};

BackgroundHostLookup::BackgroundHostLookup(const std::string& name)
    : answer_(std::make_shared<Answer>()) {
  std::thread([answer = answer_, name] {
    answer->Address = FirstIpv4Address(name);
    answer->Done.store(true, std::memory_order_release);
  }).detach();
}

BackgroundHostLookup::~BackgroundHostLookup() = default;

bool BackgroundHostLookup::Done() const { return answer_->Done.load(std::memory_order_acquire); }

std::string BackgroundHostLookup::Address() const { return Done() ? answer_->Address : ""; }

}  // namespace linkwatch::cli
