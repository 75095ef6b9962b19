// Creation, resize and destruction of the control, the preparation of every SNMP
// message, and the handlers of its timer, engine and resolver.
#include "control/InterfaceList.h"

#include <stdexcept>

#include "common/AddressFunctions.h"
#include "common/ControlForm.h"
#include "common/Globals.h"
#include "common/TextFunctions.h"
#include "control/GridEventSink.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

constexpr int kPollTimerIntervalMs = 1000;
constexpr int32_t kDefaultRefreshInterval = 30;
constexpr int32_t kMessageTuning = 1200;
constexpr int32_t kUserBasedSecurityModel = 3;

}  // namespace

InterfaceList::InterfaceList() : platform_(Globals::SharedPlatform()) {
  // The child objects made with the control: the grid and the poll timer, which
  // stays off until monitoring starts.
  table_ = platform_->NewGrid();
  gridEvents_ = std::make_unique<GridEventSink>(*this);
  table_->SetEvents(gridEvents_.get());
  pollTimer_ = platform_->NewTimer();
  pollTimer_->SetIntervalMs(kPollTimerIntervalMs);
  pollTimer_->SetEnabled(false);
  pollTimer_->SetTickHandler([this] { OnPollTimerTick(); });

  // 1. The thread's resolver, whose answers this control receives.
  dns_ = Globals::Form()->Resolver();
  dnsSubscription_ = dns_->Subscribe(
      [this](std::string& hostName, std::string& address, std::string& /*unused1*/,
             std::string& tag, std::string& /*unused2*/) { OnResolverAnswer(hostName, address, tag); });
  try {
    // 2. to 4.
    SetRefreshInterval(kDefaultRefreshInterval);
    ClearTable();
    snmp_ = platform_->NewSnmpEngine();
    snmp_->SetReplyHandler([this](SnmpMessage& response) { OnReply(response); });
  } catch (...) {
    // No destructor runs for a control that failed to be made: let the resolver go.
    dns_->Unsubscribe(dnsSubscription_);
    throw;
  }
}

InterfaceList::~InterfaceList() {
  // Released in this order: the collection, the resolver, the engine, the message.
  // Nothing is sent to the device; the timer and the grid end with the control.
  interfaces_.reset();
  if (dns_) {
    dns_->Unsubscribe(dnsSubscription_);
    dns_.reset();
  }
  snmp_.reset();
  currentMessage_.reset();
}

void InterfaceList::Resize(int width, int height) {
  try {
    table_->Move(0, 0, width, height);
  } catch (...) {
    // A grid that cannot be placed keeps its old place; resizing never fails.
  }
}

void InterfaceList::PrepareMessage(std::string& context, std::string& userName, std::string& ip,
                                   std::string& community, int16_t& authType,
                                   std::string& authPass, int16_t& encryptType,
                                   std::string& encryptPass, bool& deliverByEvent) {
  currentMessage_ = snmp_->NewMessage();
  snmp_->LastResponse().Tuning = kMessageTuning;
  snmp_->LastRequest().Tuning = kMessageTuning;

  SnmpMessage& message = *currentMessage_;
  message.Tuning = kMessageTuning;
  message.Agent = ip;
  message.Community = community;
  message.DeliverByEvent = deliverByEvent;

  // The same credentials whatever the version; the caller sets Version.
  SnmpSecurity& security = message.Security;
  security.Model = kUserBasedSecurityModel;
  security.AuthPassword = authPass;
  security.AuthKeySource = authPass;
  security.AuthType = authType;
  security.PrivPassword = encryptPass;
  security.PrivKeySource = encryptPass;
  security.PrivType = encryptType;
  security.UserName = userName;
  security.Context = context;
}

void InterfaceList::PrepareMessage(bool deliverByEvent) {
  PrepareMessage(state_.SNMPContext, state_.SNMPUsername, state_.IP, state_.Community,
                 state_.SNMPAuthType, state_.SNMPAuthPass, state_.SNMPEncryptType,
                 state_.SNMPEncryptPass, deliverByEvent);
}

void InterfaceList::OnResolverAnswer(std::string& hostName, std::string& address,
                                     std::string& tag) {
  // A name that is empty or an address itself means no name was found.
  if (hostName.empty() || IsIPAddress(hostName)) return;
  // The tag is "ifIndex:childIndex:statistic name".
  const std::vector<std::string> parts = Split(tag, ':');
  if (parts.size() != 3 || !interfaces_) return;
  int32_t ifIndex = 0;
  try {
    ifIndex = RoundToInt32(NumericValue(parts[0]));
  } catch (const std::overflow_error&) {
    return;  // not an interface index of ours
  }
  const std::string value = "DNS:" + hostName;
  interfaces_->SetStatistic(ifIndex, parts[1], parts[2], value, address);
}

void InterfaceList::ReplaceInterfaces() { interfaces_ = std::make_shared<linkwatch::Interfaces>(); }

}  // namespace linkwatch
