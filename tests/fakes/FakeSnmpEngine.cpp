#include "fakes/FakeSnmpEngine.h"

#include <cstdlib>
#include <sstream>

namespace linkwatch::fakes {
namespace {

std::vector<unsigned long> OidNumbers(const std::string& oid) {
  std::vector<unsigned long> numbers;
  std::istringstream parts(oid);
  for (std::string part; std::getline(parts, part, '.');) {
    if (!part.empty()) numbers.push_back(std::strtoul(part.c_str(), nullptr, 10));
  }
  return numbers;
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
  return true;
}

void FakeSnmpEngine::AnswerBindings(const SnmpMessage& request, SnmpMessage& response) {
  response.Bindings.Clear();
  switch (request.Kind) {
    case kSnmpGet:
      for (const SnmpBinding& asked : request.Bindings) {
        const AgentObject* object = Object(asked.OID);
        if (object) {
          response.Bindings.Add(asked.OID, object->Value, object->Type);
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
    case kSnmpSet:  // the control writes one object at a time
      for (const SnmpBinding& written : request.Bindings) {
        auto object = objects_.find(WithoutTrailingDot(written.OID));
        if (object == objects_.end() || !object->second.Writable) {
          response.ErrorCode = kSnmpWriteRefused;
          response.ErrorText = "The device refused to change " + written.OID + ".";
          response.Bindings = request.Bindings;
          return;
        }
        object->second.Value = written.Value;
        object->second.Type = written.ValueType;
        response.Bindings.Add(written);
      }
      return;
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
