#include "platform/netsnmp/ResponseReader.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/netsnmp/FailureTexts.h"
#include "platform/netsnmp/OidText.h"
#include "platform/netsnmp/WalkOrder.h"

namespace linkwatch::netsnmp {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

std::string Hex(const uint8_t* bytes, size_t count) {
  std::string text(count * 2, '\0');
  char* out = text.data();
  for (size_t i = 0; i < count; ++i) {
    *out++ = kHexDigits[bytes[i] >> 4];
    *out++ = kHexDigits[bytes[i] & 0x0F];
  }
  return text;
}

// The lowest `octets` octets of value, big-endian, in hex; octets beyond the
// eighth are 0x00 (the sign octet of an unsigned number with its top bit set).
// Every numeric binding of a walk comes here, so the text is made on the stack.
std::string OctetsHex(uint64_t value, int octets) {
  char text[18];
  char* out = text;
  for (int i = octets - 1; i >= 0; --i) {
    const auto octet = static_cast<uint8_t>(i >= 8 ? 0 : value >> (8 * i));
    *out++ = kHexDigits[octet >> 4];
    *out++ = kHexDigits[octet & 0x0F];
  }
  return std::string(text, out);
}

// The BER content octets of an INTEGER: two's complement, without the leading
// octets that only repeat the sign.
std::string SignedHex(int64_t value) {
  const auto magnitude = static_cast<uint64_t>(value < 0 ? ~value : value);
  const int bits = 65 - std::countl_zero(magnitude);  // with the sign bit
  return OctetsHex(static_cast<uint64_t>(value), (bits + 7) / 8);
}

// The same for an unsigned number (Counter32, Gauge32, TimeTicks, Counter64): a
// zero sign octet goes ahead when the top bit of the first octet is set.
std::string UnsignedHex(uint64_t value) {
  const int bits = 65 - std::countl_zero(value);
  return OctetsHex(value, (bits + 7) / 8);
}

// The BER content octets of an OBJECT IDENTIFIER value.
std::string ObjectIdHex(const oid* subIds, size_t count) {
  if (count == 0) return {};
  std::vector<uint64_t> arcs;
  arcs.push_back(static_cast<uint64_t>(subIds[0]) * 40 + (count > 1 ? subIds[1] : 0));
  for (size_t i = 2; i < count; ++i) arcs.push_back(subIds[i]);
  std::vector<uint8_t> bytes;
  for (uint64_t arc : arcs) {
    uint8_t chunk[10];
    int used = 0;
    do {
      chunk[used++] = static_cast<uint8_t>(arc & 0x7F);
      arc >>= 7;
    } while (arc != 0);
    for (int i = used - 1; i >= 0; --i) {
      bytes.push_back(static_cast<uint8_t>(chunk[i] | (i > 0 ? 0x80 : 0x00)));
    }
  }
  return Hex(bytes.data(), bytes.size());
}

uint64_t Counter64Value(const counter64& value) {
  return (static_cast<uint64_t>(value.high & 0xFFFFFFFFu) << 32) | (value.low & 0xFFFFFFFFu);
}

#ifdef NETSNMP_WITH_OPAQUE_SPECIAL_TYPES
// A floating-point value with six decimals and "." as the decimal point, whatever
// locale the host has set (std::to_string would follow the C library's locale,
// and the value parsers read "." only).
std::string FixedDecimal(double value) {
  char text[400];
  const std::to_chars_result written =
      std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
  return std::string(text, written.ptr);
}
#endif

void AddEndOfView(SnmpBindingList& bindings) {
  bindings.Add(std::string(), std::string(), kSnmpEndOfMibView);
}

}  // namespace

void ResponseReader::ReadVariable(const netsnmp_variable_list& variable, SnmpBinding& binding) {
  binding.OID = OidText::Format(variable.name, variable.name_length);
  binding.ValueType = static_cast<int16_t>(variable.type);
  switch (variable.type) {
    case ASN_INTEGER: {
      const int64_t value = *variable.val.integer;
      binding.Value = std::to_string(value);
      binding.HexValue = SignedHex(value);
      break;
    }
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER: {
      const uint64_t value = static_cast<uint64_t>(*variable.val.integer) & 0xFFFFFFFFu;
      binding.Value = std::to_string(value);
      binding.HexValue = UnsignedHex(value);
      break;
    }
    case ASN_COUNTER64: {
      const uint64_t value = Counter64Value(*variable.val.counter64);
      binding.Value = std::to_string(value);
      binding.HexValue = UnsignedHex(value);
      break;
    }
    case ASN_IPADDRESS: {
      const auto* octets = variable.val.string;
      if (variable.val_len >= 4) {
        binding.Value = std::to_string(octets[0]) + "." + std::to_string(octets[1]) + "." +
                        std::to_string(octets[2]) + "." + std::to_string(octets[3]);
      }
      binding.HexValue = Hex(octets, variable.val_len);
      break;
    }
    case ASN_OBJECT_ID: {
      const size_t count = variable.val_len / sizeof(oid);
      binding.Value = OidText::Format(variable.val.objid, count);
      binding.HexValue = ObjectIdHex(variable.val.objid, count);
      break;
    }
    case ASN_NULL:
    case SNMP_NOSUCHOBJECT:
    case SNMP_NOSUCHINSTANCE:
    case SNMP_ENDOFMIBVIEW:
      break;
#ifdef NETSNMP_WITH_OPAQUE_SPECIAL_TYPES
    // Numbers that net-snmp decodes out of an Opaque wrapping.
    case ASN_OPAQUE_FLOAT:
      binding.ValueType = kSnmpOpaque;
      binding.Value = FixedDecimal(*variable.val.floatVal);
      binding.HexValue = Hex(reinterpret_cast<const uint8_t*>(variable.val.floatVal), sizeof(float));
      break;
    case ASN_OPAQUE_DOUBLE:
      binding.ValueType = kSnmpOpaque;
      binding.Value = FixedDecimal(*variable.val.doubleVal);
      binding.HexValue =
          Hex(reinterpret_cast<const uint8_t*>(variable.val.doubleVal), sizeof(double));
      break;
    case ASN_OPAQUE_I64: {
      binding.ValueType = kSnmpOpaque;
      const auto value = static_cast<int64_t>(Counter64Value(*variable.val.counter64));
      binding.Value = std::to_string(value);
      binding.HexValue = SignedHex(value);
      break;
    }
    case ASN_OPAQUE_U64:
    case ASN_OPAQUE_COUNTER64: {
      binding.ValueType = kSnmpOpaque;
      const uint64_t value = Counter64Value(*variable.val.counter64);
      binding.Value = std::to_string(value);
      binding.HexValue = UnsignedHex(value);
      break;
    }
#endif
    default:
      // OCTET STRING, Opaque and anything else the agent sends as octets: one
      // character per octet.
      if (variable.val.string && variable.val_len > 0) {
        binding.Value.assign(reinterpret_cast<const char*>(variable.val.string), variable.val_len);
        binding.HexValue = Hex(variable.val.string, variable.val_len);
      }
      break;
  }
}

SnmpMessage ResponseReader::EmptyResponse(const SnmpMessage& request) {
  SnmpMessage response;
  response.Tag = request.Tag;
  response.Agent = request.Agent;
  response.Community = request.Community;
  response.Version = request.Version;
  response.Kind = request.Kind;
  response.NonRepeaters = request.NonRepeaters;
  response.MaxRepetitions = request.MaxRepetitions;
  response.DeliverByEvent = request.DeliverByEvent;
  response.Tuning = request.Tuning;
  response.Security = request.Security;
  return response;
}

void ResponseReader::Read(const netsnmp_pdu& pdu, const SnmpMessage& request,
                          const SessionSettings& settings,
                          const std::shared_ptr<const SnmpBinding::Namer>& namer,
                          SnmpMessage& response) {
  const bool walking = request.Kind == kSnmpGetNext || request.Kind == kSnmpGetBulk;

  if (pdu.errstat != SNMP_ERR_NOERROR) {
    // SNMPv1 reports the end of the view as noSuchName to a get-next.
    if (pdu.errstat == SNMP_ERR_NOSUCHNAME && walking && request.Version == 1) {
      AddEndOfView(response.Bindings);
      return;
    }
    std::string oid;
    long position = 1;
    for (const netsnmp_variable_list* variable = pdu.variables; variable;
         variable = variable->next_variable, ++position) {
      if (position == pdu.errindex) {
        oid = OidText::Format(variable->name, variable->name_length);
        break;
      }
    }
    if (oid.empty() && pdu.errindex >= 1 && pdu.errindex <= request.Bindings.Count()) {
      oid = request.Bindings.Item(static_cast<int32_t>(pdu.errindex - 1)).OID;
    }
    const SnmpFailure failure =
        FailureTexts::FromErrorStatus(pdu.errstat, oid, request.Kind, settings);
    response.ErrorCode = failure.Code;
    response.ErrorText = failure.Text;
  }

  // An answer that does not move the walk forward ends it where it stops moving.
  const size_t ordered =
      response.ErrorCode == kSnmpSuccess ? WalkOrder::OrderedPrefix(pdu, request) : SIZE_MAX;
  size_t count = 0;
  for (const netsnmp_variable_list* variable = pdu.variables; variable;
       variable = variable->next_variable) {
    ++count;
  }
  response.Bindings.Reserve(count);
  size_t index = 0;
  for (const netsnmp_variable_list* variable = pdu.variables; variable;
       variable = variable->next_variable, ++index) {
    if (index == ordered) {
      AddEndOfView(response.Bindings);
      return;
    }
    if (variable->type == SNMP_ENDOFMIBVIEW && response.ErrorCode == kSnmpSuccess) {
      AddEndOfView(response.Bindings);
      return;
    }
    // Made in place: a walk's answers bring twenty bindings each.
    SnmpBinding& binding = response.Bindings.Add(std::string(), std::string(), kSnmpNull);
    ReadVariable(*variable, binding);
    if (namer) binding.SetNamer(namer);
  }
}

}  // namespace linkwatch::netsnmp
