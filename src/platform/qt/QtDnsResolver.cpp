#include "platform/qt/QtDnsResolver.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QMetaObject>
#include <QObject>
#include <QString>
#include <vector>

#include "common/EventGuard.h"
#include "platform/qt/HostLookupReceiver.h"
#include "platform/qt/Ipv4Text.h"

namespace linkwatch {

namespace {

bool IsAlive(const std::weak_ptr<bool>& alive) {
  const std::shared_ptr<bool> flag = alive.lock();
  return flag && *flag;
}

}  // namespace

QtDnsResolver::QtDnsResolver() : QtDnsResolver(Limits{}) {}

QtDnsResolver::QtDnsResolver(Limits limits)
    : receiver_(std::make_unique<HostLookupReceiver>(
          [this](const QHostInfo& info) { OnHostInfo(info); })),
      queue_(limits.MaxRunning, limits.MaxWaiting),
      alive_(std::make_shared<bool>(true)) {}

QtDnsResolver::~QtDnsResolver() {
  *alive_ = false;
  alive_.reset();
  for (const auto& [id, request] : running_) QHostInfo::abortHostLookup(id);
  receiver_.reset();
}

void QtDnsResolver::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled_) queue_.ClearWaiting();
}

void QtDnsResolver::SetTag(const std::string& tag) { tag_ = tag; }

void QtDnsResolver::Lookup(const std::string& address) {
  if (!enabled_) return;
  LookupRequest request{address, tag_};
  if (!IsDottedIpv4(address)) {
    // Nothing to look up; answer "no name" from the event loop like any lookup.
    const std::weak_ptr<bool> alive = alive_;
    QMetaObject::invokeMethod(
        receiver_.get(),
        [this, alive, request] {
          if (IsAlive(alive)) Raise(std::string(), request);
        },
        Qt::QueuedConnection);
    return;
  }
  queue_.Add(std::move(request));
  StartWaiting();
}

int QtDnsResolver::Subscribe(AnswerHandler handler) {
  const int token = nextToken_++;
  subscribers_.emplace(token, std::move(handler));
  return token;
}

void QtDnsResolver::Unsubscribe(int token) { subscribers_.erase(token); }

void QtDnsResolver::StartWaiting() {
  while (auto request = queue_.StartNext()) {
    // Qt reads an address text as an address (a reverse lookup) only in the plain
    // form; the answer still carries the text as it was asked for.
    const QString address = QString::fromStdString(CanonicalIpv4(request->Address).value_or(""));
    running_[receiver_->Lookup(address)] = *request;
  }
}

void QtDnsResolver::OnHostInfo(const QHostInfo& info) {
  const auto found = running_.find(info.lookupId());
  if (found == running_.end()) return;
  const LookupRequest request = found->second;
  running_.erase(found);
  queue_.Finish(request);
  std::string hostName;
  if (info.error() == QHostInfo::NoError) {
    hostName = info.hostName().toStdString();
    // Qt reports an address without a name by its own text.
    if (hostName == request.Address || IsDottedIpv4(hostName)) hostName.clear();
  }
  const std::shared_ptr<bool> alive = alive_;
  Raise(hostName, request);
  if (!*alive) return;
  StartWaiting();
}

void QtDnsResolver::Raise(const std::string& hostName, const LookupRequest& request) {
  if (!enabled_) return;
  const std::shared_ptr<bool> alive = alive_;
  // Handlers may subscribe, unsubscribe or destroy the resolver while the answer
  // goes round; each one gets its own copies of the texts, as it may change them.
  std::vector<int> tokens;
  tokens.reserve(subscribers_.size());
  for (const auto& entry : subscribers_) tokens.push_back(entry.first);
  for (int token : tokens) {
    if (!*alive) return;
    auto found = subscribers_.find(token);
    if (found == subscribers_.end()) continue;
    const AnswerHandler handler = found->second;
    std::string name = hostName;
    std::string address = request.Address;
    std::string tag = request.Tag;
    std::string unused1;
    std::string unused2;
    EventGuard::Call("a name lookup's answer",
                     [&] { handler(name, address, unused1, tag, unused2); });
  }
}

}  // namespace linkwatch
