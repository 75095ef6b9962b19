#pragma once
#include <cstdint>
#include <string>

#include "components/SnmpBindingList.h"
#include "components/SnmpErrorCode.h"
#include "components/SnmpRequestKind.h"
#include "components/SnmpSecurity.h"

namespace linkwatch {

// One SNMP request or response. A response carries its request's Tag.
struct SnmpMessage {
  std::string Tag;
  std::string Agent;  // dotted IPv4 address of the device
  std::string Community;
  int16_t Version = 2;  // 1 SNMPv1, 2 SNMPv2c, 3 SNMPv3
  int16_t Kind = kSnmpGet;
  int32_t NonRepeaters = 0;
  int32_t MaxRepetitions = 10;
  bool DeliverByEvent = false;
  int32_t Tuning = 1200;  // kept for the message contract; the engine ignores it
  SnmpBindingList Bindings;
  SnmpSecurity Security;
  int32_t ErrorCode = kSnmpSuccess;
  std::string ErrorText;
};

}  // namespace linkwatch
