#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/SnmpValueType.h"

namespace linkwatch {

// One variable binding of an SNMP message.
//
// Text forms of the values (Value):
//   OCTET STRING   one character per octet (byte-for-byte), so address parsers can
//                  read octets; HexValue holds two upper-case hex digits per octet
//   INTEGER, Counter32, Gauge32, TimeTicks, Counter64   plain decimal
//   OBJECT IDENTIFIER   dotted decimal without a leading dot
//   IpAddress      dotted decimal
//   Opaque         like OCTET STRING
//   NULL and the exception values   empty
// HexValue is filled for every type: the value's octets as the agent sent them
// (for numbers, the big-endian bytes of the value; for an IpAddress its 4 octets).
class SnmpBinding {
 public:
  using Namer = std::function<std::string(const std::string& numericOid)>;

  SnmpBinding() = default;
  SnmpBinding(std::string oid, std::string value, int16_t type)
      : OID(std::move(oid)), Value(std::move(value)), ValueType(type) {}

  std::string OID;
  std::string Value;
  std::string HexValue;
  int16_t ValueType = kSnmpNull;

  // Symbolic name of OID through the MIB database, for example "ifInOctets.3".
  // A binding made by SnmpEngine::NewBinding() knows the database; any other
  // binding answers its OID unchanged.
  std::string Name() const { return namer_ && *namer_ ? (*namer_)(OID) : OID; }
  void SetNamer(Namer namer) { namer_ = std::make_shared<const Namer>(std::move(namer)); }
  // One namer shared by many bindings (every binding of a reply), so none copies it.
  void SetNamer(std::shared_ptr<const Namer> namer) { namer_ = std::move(namer); }

 private:
  std::shared_ptr<const Namer> namer_;
};

}  // namespace linkwatch
