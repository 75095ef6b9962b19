#include "platform/netsnmp/RequestBuilder.h"

#include <arpa/inet.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "platform/netsnmp/OidText.h"

namespace linkwatch::netsnmp {

namespace {

int CommandFor(int16_t kind, int16_t version) {
  switch (kind) {
    case kSnmpGetNext: return SNMP_MSG_GETNEXT;
    case kSnmpSet: return SNMP_MSG_SET;
    case kSnmpGetBulk: return version == 1 ? SNMP_MSG_GETNEXT : SNMP_MSG_GETBULK;
    case kSnmpGet: return SNMP_MSG_GET;
    default: return 0;
  }
}

template <typename Number>
bool ParseWhole(const std::string& text, Number& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  const auto result = std::from_chars(first, last, value);
  return first != last && result.ec == std::errc() && result.ptr == last;
}

std::string TypeName(int16_t type) {
  switch (type) {
    case kSnmpInteger: return "INTEGER";
    case kSnmpOctetString: return "OCTET STRING";
    case kSnmpNull: return "NULL";
    case kSnmpObjectId: return "OBJECT IDENTIFIER";
    case kSnmpIpAddress: return "IpAddress";
    case kSnmpCounter32: return "Counter32";
    case kSnmpGauge32: return "Gauge32";
    case kSnmpTimeTicks: return "TimeTicks";
    case kSnmpOpaque: return "Opaque";
    case kSnmpCounter64: return "Counter64";
    default: return "type " + std::to_string(type);
  }
}

SnmpFailure BadValue(const SnmpBinding& binding, const std::string& expected) {
  return {kSnmpBadValue, "The value '" + binding.Value + "' for " + binding.OID +
                             " is not a valid " + TypeName(binding.ValueType) + " (" + expected +
                             "). Correct the value before writing it."};
}

// Adds one set variable in the binding's own type.
bool AddSetVariable(netsnmp_pdu* pdu, const oid* name, size_t nameLength,
                    const SnmpBinding& binding, SnmpFailure& failure) {
  const std::string& text = binding.Value;
  netsnmp_variable_list* added = nullptr;
  switch (binding.ValueType) {
    case kSnmpInteger: {
      int64_t number = 0;
      if (!ParseWhole(text, number) || number < INT32_MIN || number > INT32_MAX) {
        failure = BadValue(binding, "a whole number from -2147483648 to 2147483647");
        return false;
      }
      const long value = static_cast<long>(number);
      added = snmp_pdu_add_variable(pdu, name, nameLength, ASN_INTEGER, &value,
                                    sizeof(value));
      break;
    }
    case kSnmpCounter32:
    case kSnmpGauge32:
    case kSnmpTimeTicks: {
      uint64_t number = 0;
      if (!ParseWhole(text, number) || number > UINT32_MAX) {
        failure = BadValue(binding, "a whole number from 0 to 4294967295");
        return false;
      }
      const u_long value = static_cast<u_long>(number);
      added = snmp_pdu_add_variable(pdu, name, nameLength,
                                    static_cast<u_char>(binding.ValueType), &value, sizeof(value));
      break;
    }
    case kSnmpCounter64: {
      uint64_t number = 0;
      if (!ParseWhole(text, number)) {
        failure = BadValue(binding, "a whole number from 0 to 18446744073709551615");
        return false;
      }
      counter64 value{};
      value.high = static_cast<u_long>(number >> 32);
      value.low = static_cast<u_long>(number & 0xFFFFFFFFu);
      added = snmp_pdu_add_variable(pdu, name, nameLength, ASN_COUNTER64, &value,
                                    sizeof(value));
      break;
    }
    case kSnmpOctetString:
    case kSnmpOpaque:
      added = snmp_pdu_add_variable(pdu, name, nameLength,
                                    static_cast<u_char>(binding.ValueType), text.data(),
                                    text.size());
      break;
    case kSnmpObjectId: {
      std::vector<oid> value;
      if (!OidText::Parse(text, value)) {
        failure = BadValue(binding, "a dotted number such as 1.3.6.1.4.1");
        return false;
      }
      added = snmp_pdu_add_variable(pdu, name, nameLength, ASN_OBJECT_ID, value.data(),
                                    value.size() * sizeof(oid));
      break;
    }
    case kSnmpIpAddress: {
      in_addr address{};
      if (inet_pton(AF_INET, text.c_str(), &address) != 1) {
        failure = BadValue(binding, "a dotted IPv4 address such as 192.0.2.1");
        return false;
      }
      added = snmp_pdu_add_variable(pdu, name, nameLength, ASN_IPADDRESS,
                                    &address.s_addr, sizeof(address.s_addr));
      break;
    }
    case kSnmpNull:
      added = snmp_pdu_add_variable(pdu, name, nameLength, ASN_NULL, nullptr, 0);
      break;
    default:
      failure = {kSnmpBadSettings, "Value type " + std::to_string(binding.ValueType) + " of " +
                                       binding.OID +
                                       " cannot be written. Use one of the SNMP data types "
                                       "(2, 4, 5, 6, 64 to 68, 70)."};
      return false;
  }
  if (!added) {
    failure = BadValue(binding, "the value could not be encoded");
    return false;
  }
  return true;
}

}  // namespace

PduHandle RequestBuilder::Build(const SnmpMessage& message, SnmpFailure& failure) {
  const int command = CommandFor(message.Kind, message.Version);
  if (command == 0) {
    failure = {kSnmpBadSettings, "Request kind " + std::to_string(message.Kind) +
                                     " is not known. Use 0 (get), 1 (get-next), 2 (set) or "
                                     "4 (get-bulk)."};
    return nullptr;
  }
  PduHandle pdu(snmp_pdu_create(command));
  if (!pdu) {
    failure = {kSnmpSendFailed, "Out of memory while building an SNMP request."};
    return nullptr;
  }
  if (command == SNMP_MSG_GETBULK) {
    pdu->non_repeaters = std::max<long>(0, message.NonRepeaters);
    // At least one repetition: a get-bulk that asks for none would walk nowhere.
    pdu->max_repetitions = std::max<long>(1, message.MaxRepetitions);
  }

  oid name[MAX_OID_LEN];
  size_t nameLength = 0;
  for (const SnmpBinding& binding : message.Bindings) {
    if (!OidText::Parse(binding.OID, name, nameLength)) {
      failure = {kSnmpBadSettings, "The object identifier '" + binding.OID +
                                       "' is not a dotted number such as 1.3.6.1.2.1.1.1.0. "
                                       "Correct the object's OID."};
      return nullptr;
    }
    if (command == SNMP_MSG_SET) {
      if (!AddSetVariable(pdu.get(), name, nameLength, binding, failure)) return nullptr;
    } else if (!snmp_add_null_var(pdu.get(), name, nameLength)) {
      failure = {kSnmpSendFailed, "Out of memory while building an SNMP request."};
      return nullptr;
    }
  }
  return pdu;
}

}  // namespace linkwatch::netsnmp
