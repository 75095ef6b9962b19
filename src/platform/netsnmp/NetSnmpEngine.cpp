#include "platform/netsnmp/NetSnmpEngine.h"

#include <arpa/inet.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <netdb.h>
#include <sys/socket.h>

#include <QTimer>
#include <algorithm>

#include "common/EventGuard.h"
#include "platform/netsnmp/AsyncChannel.h"
#include "platform/netsnmp/BlockingExchange.h"
#include "platform/netsnmp/FailureTexts.h"
#include "platform/netsnmp/NetSnmpLibrary.h"
#include "platform/netsnmp/NetSnmpSession.h"
#include "platform/netsnmp/RequestBuilder.h"
#include "platform/netsnmp/ResponseReader.h"
#include "platform/netsnmp/SessionSettings.h"

namespace linkwatch {

using netsnmp::AsyncChannel;
using netsnmp::BlockingExchange;
using netsnmp::FailureTexts;
using netsnmp::NetSnmpSession;
using netsnmp::PduHandle;
using netsnmp::RequestBuilder;
using netsnmp::ResponseReader;
using netsnmp::SessionSettings;
using netsnmp::SnmpFailure;

namespace {

// Sessions kept open for reuse, per kind (synchronous, asynchronous). A control
// talks to one device, so a handful is plenty; idle ones beyond this are closed.
constexpr size_t kMaxCachedSessions = 8;

// A get-bulk answered tooBig is asked again with half the repetitions, down to
// one, before the failure is reported: the agent could not fit that many values
// into one message, but fewer may well fit.
bool AskForFewerRepetitions(const netsnmp_pdu& answer, SnmpMessage& request) {
  if (answer.command == SNMP_MSG_REPORT || answer.errstat != SNMP_ERR_TOOBIG) return false;
  if (request.Kind != kSnmpGetBulk || request.Version == 1 || request.MaxRepetitions <= 1) {
    return false;
  }
  request.MaxRepetitions /= 2;
  return true;
}

void Fail(SnmpMessage& response, const SnmpFailure& failure) {
  response.ErrorCode = failure.Code;
  response.ErrorText = failure.Text;
}

}  // namespace

struct NetSnmpEngine::Exchange {
  SnmpMessage Request;
  SessionSettings Settings;
};

NetSnmpEngine::NetSnmpEngine(std::shared_ptr<const MibTree> mib)
    : mib_(std::move(mib)), alive_(std::make_shared<bool>(true)) {
  NetSnmpLibrary::EnsureInitialised();
  if (mib_) {
    namer_ = std::make_shared<const SnmpBinding::Namer>(
        [mib = mib_](const std::string& numericOid) { return mib->SymbolicName(numericOid); });
  }
}

NetSnmpEngine::~NetSnmpEngine() {
  *alive_ = false;
  channels_.clear();  // outstanding requests are abandoned without replies
  syncSessions_.clear();
  exchanges_.clear();
  deliveryTimer_.reset();
}

std::unique_ptr<SnmpMessage> NetSnmpEngine::NewMessage() {
  // A new message speaks the version the agent last answered, so a message whose
  // maker leaves the version alone reaches the device the way it was reached.
  auto message = std::make_unique<SnmpMessage>();
  if (answeredVersion_ != 0) message->Version = answeredVersion_;
  return message;
}

SnmpBinding NetSnmpEngine::NewBinding() {
  SnmpBinding binding;
  if (namer_) binding.SetNamer(namer_);
  return binding;
}

void NetSnmpEngine::Send(SnmpMessage& message, bool& deliverByEvent) {
  // The engine's own copy (LastRequest) is what is sent: the caller may reuse its
  // message as soon as Send returns, and the message may be LastRequest itself.
  // Assigning into the kept copy reuses its storage, so a walk's requests make
  // no new copy each.
  if (&message != &lastRequest_) lastRequest_ = message;
  CloseStaleSessions();
  if (deliverByEvent) {
    SendAndReturn(lastRequest_);
  } else {
    SendAndWait(lastRequest_);
  }
}

size_t NetSnmpEngine::PendingReplies() const {
  return exchanges_.size() + readyReplies_.size() + resends_.size();
}

void NetSnmpEngine::SendAndWait(const SnmpMessage& original) {
  SnmpMessage request = original;
  SnmpMessage response = ResponseReader::EmptyResponse(request);
  const SessionSettings settings = SessionSettings::From(request, transport_);
  SnmpFailure failure;
  NetSnmpSession* session = SyncSessionFor(settings, failure);
  if (!session) Fail(response, failure);
  while (session) {
    PduHandle pdu = RequestBuilder::Build(request, failure);
    if (!pdu) {
      Fail(response, failure);
      break;
    }
    BlockingExchange::Outcome outcome = BlockingExchange::Run(*session, std::move(pdu));
    const netsnmp_pdu* answer = outcome.Answer.get();
    if (answer && answer->command != SNMP_MSG_REPORT) {
      if (AskForFewerRepetitions(*answer, request)) continue;
      ResponseReader::Read(*answer, request, settings, Namer(), response);
      NoteAnswered(response);
    } else {
      const int error = answer ? snmpv3_get_report_type(outcome.Answer.get())
                               : outcome.LibraryError;
      Fail(response, FailureTexts::FromLibraryError(error, settings));
      MarkStaleAfterFailure(settings, error);
      CloseStaleSessions();
    }
    break;
  }
  lastResponse_ = std::move(response);
}

void NetSnmpEngine::NoteAnswered(const SnmpMessage& response) {
  if (response.ErrorCode == kSnmpSuccess) answeredVersion_ = response.Version;
}

void NetSnmpEngine::SendAndReturn(const SnmpMessage& request) {
  const SessionSettings settings = SessionSettings::From(request, transport_);
  // A request that cannot go out is answered at once, through the same event.
  auto failNow = [&](const SnmpFailure& failure) {
    SnmpMessage response = ResponseReader::EmptyResponse(request);
    Fail(response, failure);
    QueueReply(std::move(response));
  };
  SnmpFailure failure;
  AsyncChannel* channel = ChannelFor(settings, failure);
  if (!channel) return failNow(failure);
  PduHandle pdu = RequestBuilder::Build(request, failure);
  if (!pdu) return failNow(failure);
  const uint64_t exchangeId = nextExchangeId_++;
  exchanges_[exchangeId] = std::make_unique<Exchange>(Exchange{request, settings});
  if (!channel->Send(std::move(pdu), exchangeId)) {
    exchanges_.erase(exchangeId);
    int error = channel->LastLibraryError();
    if (error == SNMPERR_SUCCESS) error = SNMPERR_BAD_SENDTO;
    MarkStaleAfterFailure(settings, error);
    failNow(FailureTexts::FromLibraryError(error, settings));
  }
}

std::unique_ptr<NetSnmpSession> NetSnmpEngine::OpenSession(const SessionSettings& settings,
                                                           SnmpFailure& failure) {
  // Sessions of other credentials that nothing waits on are closed first, and the
  // cache is kept small, so a host that tries many settings does not pile up sockets.
  CloseIdleSessionsOfOtherKeys(settings);
  std::unique_ptr<NetSnmpSession> session = NetSnmpSession::Open(settings, failure);
  if (!session) return nullptr;
  LimitCachedSessions();
  return session;
}

NetSnmpSession* NetSnmpEngine::SyncSessionFor(const SessionSettings& settings,
                                              SnmpFailure& failure) {
  const std::string key = settings.Key();
  if (auto found = syncSessions_.find(key); found != syncSessions_.end()) {
    return found->second.get();
  }
  std::unique_ptr<NetSnmpSession> session = OpenSession(settings, failure);
  if (!session) return nullptr;
  return syncSessions_.emplace(key, std::move(session)).first->second.get();
}

AsyncChannel* NetSnmpEngine::ChannelFor(const SessionSettings& settings, SnmpFailure& failure) {
  const std::string key = settings.Key();
  if (auto found = channels_.find(key); found != channels_.end()) return found->second.get();
  std::unique_ptr<NetSnmpSession> session = OpenSession(settings, failure);
  if (!session) return nullptr;
  auto channel = std::make_unique<AsyncChannel>(
      std::move(session), [this](uint64_t exchangeId, netsnmp_pdu* answer, int libraryError) {
        CompleteExchange(exchangeId, answer, libraryError);
      });
  return channels_.emplace(key, std::move(channel)).first->second.get();
}

void NetSnmpEngine::CloseIdleSessionsOfOtherKeys(const SessionSettings& settings) {
  // net-snmp keeps one set of keys per SNMPv3 user and engine for the whole process:
  // a session with new passphrases replaces them, so older sessions of that user
  // would send with the wrong keys.
  if (settings.Version != 3) return;
  const std::string key = settings.Key();
  const std::string user = settings.UserKey();
  std::erase_if(syncSessions_, [&](const auto& entry) {
    const SessionSettings& other = entry.second->Settings();
    return other.Version == 3 && other.UserKey() == user && entry.first != key;
  });
  std::erase_if(channels_, [&](const auto& entry) {
    const SessionSettings& other = entry.second->Settings();
    return other.Version == 3 && other.UserKey() == user && entry.first != key &&
           entry.second->InFlight() == 0;
  });
}

void NetSnmpEngine::LimitCachedSessions() {
  if (syncSessions_.size() >= kMaxCachedSessions) syncSessions_.clear();
  if (channels_.size() >= kMaxCachedSessions) {
    std::erase_if(channels_, [](const auto& entry) { return entry.second->InFlight() == 0; });
  }
}

void NetSnmpEngine::MarkStaleAfterFailure(const SessionSettings& settings, int libraryError) {
  if (!FailureTexts::NeedsFreshSession(libraryError)) return;
  if (settings.Version == 3) NetSnmpSession::ForgetEngine(settings);
  staleKeys_.push_back(settings.Key());
}

void NetSnmpEngine::CloseStaleSessions() {
  std::vector<std::string> stillBusy;
  for (const std::string& key : staleKeys_) {
    syncSessions_.erase(key);
    auto channel = channels_.find(key);
    if (channel == channels_.end()) continue;
    if (channel->second->InFlight() == 0) {
      channels_.erase(channel);
    } else {
      stillBusy.push_back(key);
    }
  }
  staleKeys_ = std::move(stillBusy);
}

void NetSnmpEngine::CompleteExchange(uint64_t exchangeId, netsnmp_pdu* answer, int libraryError) {
  // Runs inside net-snmp's read or timeout processing: only record the reply here.
  auto found = exchanges_.find(exchangeId);
  if (found == exchanges_.end()) return;
  std::unique_ptr<Exchange> exchange = std::move(found->second);
  exchanges_.erase(found);

  SnmpMessage response = ResponseReader::EmptyResponse(exchange->Request);
  if (answer && answer->command == SNMP_MSG_REPORT) {
    const int error = snmpv3_get_report_type(answer);
    Fail(response, FailureTexts::FromLibraryError(error, exchange->Settings));
    MarkStaleAfterFailure(exchange->Settings, error);
  } else if (answer && AskForFewerRepetitions(*answer, exchange->Request)) {
    // Sent again once net-snmp has finished with this answer (see DeliverReplies).
    resends_.push_back(std::move(exchange->Request));
    ScheduleDelivery();
    return;
  } else if (answer) {
    ResponseReader::Read(*answer, exchange->Request, exchange->Settings, Namer(), response);
    NoteAnswered(response);
  } else {
    Fail(response, FailureTexts::FromLibraryError(libraryError, exchange->Settings));
    MarkStaleAfterFailure(exchange->Settings, libraryError);
  }
  QueueReply(std::move(response));
}

void NetSnmpEngine::QueueReply(SnmpMessage response) {
  readyReplies_.push_back(std::move(response));
  ScheduleDelivery();
}

void NetSnmpEngine::ScheduleDelivery() {
  if (!deliveryTimer_) {
    deliveryTimer_ = std::make_unique<QTimer>();
    deliveryTimer_->setSingleShot(true);
    deliveryTimer_->setInterval(0);
    QObject::connect(deliveryTimer_.get(), &QTimer::timeout, [this] { DeliverReplies(); });
  }
  if (!deliveryTimer_->isActive()) deliveryTimer_->start();
}

void NetSnmpEngine::DeliverReplies() {
  CloseStaleSessions();
  std::vector<SnmpMessage> resends;
  resends.swap(resends_);
  for (const SnmpMessage& request : resends) SendAndReturn(request);

  const std::shared_ptr<bool> alive = alive_;
  while (!readyReplies_.empty()) {
    lastResponse_ = std::move(readyReplies_.front());
    readyReplies_.pop_front();
    if (!replyHandler_) continue;
    // A copy: the handler may replace the handler or destroy the engine.
    const ReplyHandler handler = replyHandler_;
    // What a handler throws ends with it (and with it the walk the reply belonged
    // to): the replies still queued are delivered, and the event loop that called
    // in here never sees the exception.
    if (!EventGuard::Call("an SNMP reply", [&] { handler(lastResponse_); })) ++handlerFailures_;
    if (!*alive) return;
  }
}

std::string NetSnmpEngine::ResolveHost(const std::string& name) {
  if (name.empty()) return {};
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0 || !found) return {};
  std::string address;
  for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
    if (entry->ai_family != AF_INET || !entry->ai_addr) continue;
    char text[INET_ADDRSTRLEN] = {};
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
    if (inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text)) {
      address = text;
      break;
    }
  }
  freeaddrinfo(found);
  return address;
}

}  // namespace linkwatch
