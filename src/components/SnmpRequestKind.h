#pragma once
#include <cstdint>

namespace linkwatch {

// What an SnmpMessage asks of the agent.
enum SnmpRequestKind : int16_t {
  kSnmpGet = 0,
  kSnmpGetNext = 1,
  kSnmpSet = 2,
  kSnmpGetBulk = 4,
};

}  // namespace linkwatch
