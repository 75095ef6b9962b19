#include "fakes/FakeSnmpEngine.h"

#include <cstdio>
#include <cstdlib>

namespace linkwatch::fakes {
namespace {

std::vector<unsigned long> OidNumbers(const std::string& oid) {
  std::vector<unsigned long> numbers;
  size_t start = 0;
  while (start < oid.size()) {
    size_t dot = oid.find('.', start);
    if (dot == std::string::npos) dot = oid.size();
    if (dot > start) numbers.push_back(std::strtoul(oid.substr(start, dot - start).c_str(), nullptr, 10));
    start = dot + 1;
  }
  return numbers;
}

std::string HexOfBytes(const std::string& bytes) {
  std::string hex;
  char digits[3];
  for (unsigned char c : bytes) {
    std::snprintf(digits, sizeof digits, "%02X", c);
    hex += digits;
  }
  return hex;
}

// The octets of a value as the agent would send them (see SnmpBinding).
std::string HexOf(const std::string& value, int16_t type) {
  switch (type) {
    case kSnmpOctetString:
    case kSnmpOpaque:
      return HexOfBytes(value);
    case kSnmpIpAddress: {
      std::string octets;
      for (unsigned long part : OidNumbers(value)) octets += static_cast<char>(part & 0xFF);
      return HexOfBytes(octets);
    }
    case kSnmpInteger:
    case kSnmpCounter32:
    case kSnmpGauge32:
    case kSnmpTimeTicks:
    case kSnmpCounter64: {
      unsigned long long number = std::strtoull(value.c_str(), nullptr, 10);
      if (type == kSnmpInteger) number = static_cast<unsigned long long>(std::strtoll(value.c_str(), nullptr, 10)) & 0xFFFFFFFFull;
      std::string octets;
      do {
        octets.insert(octets.begin(), static_cast<char>(number & 0xFF));
        number >>= 8;
      } while (number != 0);
      return HexOfBytes(octets);
    }
    default:
      return {};
  }
}

SnmpBinding EndOfView() {
  SnmpBinding end;
  end.ValueType = kSnmpEndOfMibView;
  return end;
}

std::string WithoutTrailingDot(const std::string& oid) {
  return !oid.empty() && oid.back() == '.' ? oid.substr(0, oid.size() - 1) : oid;
}

}  // namespace

bool OidLess::operator()(const std::string& a, const std::string& b) const {
  return OidNumbers(a) < OidNumbers(b);
}

FakeSnmpEngine::~FakeSnmpEngine() {
  if (OnDestroyed) OnDestroyed();
}

std::unique_ptr<SnmpMessage> FakeSnmpEngine::NewMessage() {
  return std::make_unique<SnmpMessage>();
}

SnmpBinding FakeSnmpEngine::NewBinding() {
  return SnmpBinding{};
}

void FakeSnmpEngine::Send(SnmpMessage& message, bool& deliverByEvent) {
  sent_.push_back({message, deliverByEvent});
  lastRequest_ = message;
  if (deliverByEvent) {
    pending_.push_back(message);
    return;
  }
  lastResponse_ = Respond(message);
}

SnmpMessage& FakeSnmpEngine::LastResponse() {
  return lastResponse_;
}

SnmpMessage& FakeSnmpEngine::LastRequest() {
  return lastRequest_;
}

void FakeSnmpEngine::SetReplyHandler(ReplyHandler handler) {
  replyHandler_ = std::move(handler);
}

std::string FakeSnmpEngine::ResolveHost(const std::string& name) {
  auto found = hosts_.find(name);
  return found == hosts_.end() ? std::string() : found->second;
}

void FakeSnmpEngine::SetObject(const std::string& oid, const std::string& value, int16_t type,
                               bool writable) {
  objects_[WithoutTrailingDot(oid)] = {value, type, writable};
}

void FakeSnmpEngine::RemoveObject(const std::string& oid) { objects_.erase(WithoutTrailingDot(oid)); }

const FakeSnmpEngine::AgentObject* FakeSnmpEngine::Object(const std::string& oid) const {
  auto found = objects_.find(WithoutTrailingDot(oid));
  return found == objects_.end() ? nullptr : &found->second;
}

bool FakeSnmpEngine::NextObject(const std::string& position, SnmpBinding& out) const {
  auto next = objects_.upper_bound(WithoutTrailingDot(position));
  if (next == objects_.end()) return false;
  out = SnmpBinding(next->first, next->second.Value, next->second.Type);
  out.HexValue = HexOf(next->second.Value, next->second.Type);
  return true;
}

void FakeSnmpEngine::AnswerBindings(const SnmpMessage& request, SnmpMessage& response) {
  response.Bindings.Clear();
  switch (request.Kind) {
    case kSnmpGet:
      for (const SnmpBinding& asked : request.Bindings) {
        const AgentObject* object = Object(asked.OID);
        if (object) {
          SnmpBinding& answer = response.Bindings.Add(asked.OID, object->Value, object->Type);
          answer.HexValue = HexOf(object->Value, object->Type);
        } else if (request.Version == 1) {
          response.ErrorCode = kSnmpNoSuchName;
          response.ErrorText = "The device does not know " + asked.OID + ".";
          response.Bindings = request.Bindings;
          return;
        } else {
          response.Bindings.Add(asked.OID, "", kSnmpNoSuchObject);
        }
      }
      return;
    case kSnmpGetNext:
      for (const SnmpBinding& asked : request.Bindings) {
        SnmpBinding next;
        response.Bindings.Add(NextObject(asked.OID, next) ? next : EndOfView());
      }
      return;
    case kSnmpGetBulk: {  // the control asks with no non-repeaters
      std::vector<std::string> positions;
      for (const SnmpBinding& asked : request.Bindings) positions.push_back(asked.OID);
      for (int32_t round = 0; round < request.MaxRepetitions && !positions.empty(); ++round) {
        for (std::string& position : positions) {
          SnmpBinding next;
          if (!NextObject(position, next)) {
            response.Bindings.Add(EndOfView());
            return;
          }
          position = next.OID;
          response.Bindings.Add(next);
        }
      }
      return;
    }
    case kSnmpSet:
      for (const SnmpBinding& written : request.Bindings) {
        const AgentObject* object = Object(written.OID);
        if (!object || !object->Writable) {
          response.ErrorCode = kSnmpWriteRefused;
          response.ErrorText = "The device refused to change " + written.OID + ".";
          response.Bindings = request.Bindings;
          return;
        }
      }
      for (const SnmpBinding& written : request.Bindings) {
        auto& object = objects_[WithoutTrailingDot(written.OID)];
        object.Value = written.Value;
        object.Type = written.ValueType;
        response.Bindings.Add(written);
      }
      return;
    default:
      response.ErrorCode = kSnmpBadSettings;
      response.ErrorText = "Unknown request kind.";
      response.Bindings = request.Bindings;
  }
}

SnmpMessage FakeSnmpEngine::Respond(const SnmpMessage& request) {
  if (responder_) {
    SnmpMessage response = responder_(request);
    response.Tag = request.Tag;
    return response;
  }
  SnmpMessage response = request;
  response.ErrorCode = kSnmpSuccess;
  response.ErrorText.clear();
  if (refusedVersions_.count(request.Version) != 0) {
    response.ErrorCode = kSnmpTimeout;
    response.ErrorText = "No response from the device.";
    for (SnmpBinding& binding : response.Bindings) binding.Value.clear();
    return response;
  }
  AnswerBindings(request, response);
  return response;
}

bool FakeSnmpEngine::DeliverNext() {
  if (pending_.empty()) return false;
  SnmpMessage request = std::move(pending_.front());
  pending_.pop_front();
  Deliver(Respond(request));
  return true;
}

void FakeSnmpEngine::Deliver(SnmpMessage response) {
  lastResponse_ = std::move(response);
  if (replyHandler_) {
    auto handler = replyHandler_;
    handler(lastResponse_);
  }
}

int FakeSnmpEngine::DeliverAll(int limit) {
  int delivered = 0;
  while (delivered < limit && DeliverNext()) ++delivered;
  return delivered;
}

}  // namespace linkwatch::fakes
