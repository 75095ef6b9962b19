#pragma once
#include <cstdint>

namespace linkwatch {

// Value type codes of an SNMP binding. They are the BER tags of the SNMP types, so
// the codes the control uses (2 INTEGER, 5 NULL) mean what they mean on the wire.
enum SnmpValueType : int16_t {
  kSnmpInteger = 2,
  kSnmpOctetString = 4,
  kSnmpNull = 5,  // a binding to be read is added as "" with this type
  kSnmpObjectId = 6,
  kSnmpIpAddress = 64,
  kSnmpCounter32 = 65,
  kSnmpGauge32 = 66,  // also Unsigned32
  kSnmpTimeTicks = 67,
  kSnmpOpaque = 68,
  kSnmpCounter64 = 70,
  // Exception values of SNMPv2c/v3 responses; such a binding has an empty Value.
  kSnmpNoSuchObject = 128,
  kSnmpNoSuchInstance = 129,
  kSnmpEndOfMibView = 130,
};

}  // namespace linkwatch
