#include "platform/netsnmp/WalkOrder.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/netsnmp/OidText.h"

namespace linkwatch::netsnmp {
namespace {

struct Position {
  const oid* SubIds = nullptr;
  size_t Length = 0;
};

bool After(const netsnmp_variable_list& variable, const Position& previous) {
  return snmp_oid_compare(variable.name, variable.name_length, previous.SubIds,
                          previous.Length) > 0;
}

}  // namespace

size_t WalkOrder::OrderedPrefix(const netsnmp_pdu& answer, const SnmpMessage& request) {
  size_t count = 0;
  for (const netsnmp_variable_list* v = answer.variables; v; v = v->next_variable) ++count;
  // SNMPv1 has no get-bulk: the engine sends it as a get-next.
  const bool bulk = request.Kind == kSnmpGetBulk && request.Version != 1;
  if (request.Kind != kSnmpGetNext && request.Kind != kSnmpGetBulk) return count;

  // The positions asked after, as the request named them: one block of sub-ids
  // for all of them (a walk's request names one).
  const size_t asked = static_cast<size_t>(request.Bindings.Count());
  if (asked == 0) return count;
  const auto subIds = std::make_unique_for_overwrite<oid[]>(asked * MAX_OID_LEN);
  std::vector<Position> previous(asked);
  for (size_t i = 0; i < asked; ++i) {
    oid* named = subIds.get() + i * MAX_OID_LEN;
    size_t length = 0;
    if (!OidText::Parse(request.Bindings.Item(static_cast<int32_t>(i)).OID, named, length)) {
      length = 0;
    }
    previous[i] = {named, length};
  }

  const size_t nonRepeaters =
      bulk ? std::min(asked, static_cast<size_t>(std::max(0, request.NonRepeaters))) : 0;
  const size_t repeaters = asked - nonRepeaters;
  size_t index = 0;
  for (const netsnmp_variable_list* v = answer.variables; v; v = v->next_variable, ++index) {
    // Variables beyond the request's bindings can only be further repetitions.
    size_t slot = index;
    if (index >= asked) {
      if (!bulk || repeaters == 0) return index;
      slot = nonRepeaters + (index - nonRepeaters) % repeaters;
    }
    if (!After(*v, previous[slot])) return index;
    previous[slot] = {v->name, v->name_length};
  }
  return index;
}

}  // namespace linkwatch::netsnmp
