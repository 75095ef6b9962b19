#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace linkwatch::support {

// SNMPv1/v2c messages encoded by hand (BER), for datagrams that must not come from
// the library under test: an agent's start-up probe, a benchmark's bare requests.
class BerMessage {
 public:
  // A tag, its length (short or long form) and the contents.
  static std::string Tlv(unsigned char tag, const std::string& contents);
  static std::string Integer(int64_t value);
  static std::string Oid(std::span<const uint64_t> subIds);  // at least two sub-identifiers

  // A message (version 0 for SNMPv1, 1 for SNMPv2c) of one PDU with a single
  // binding of the OID to NULL. errorOrNonRepeaters and indexOrRepetitions are the
  // PDU's second and third integers (for a get-bulk, 0 and the repetitions).
  static std::string Request(int version, const std::string& community, unsigned char pduTag,
                             int32_t requestId, int32_t errorOrNonRepeaters,
                             int32_t indexOrRepetitions, std::span<const uint64_t> oid);

  static constexpr unsigned char kGet = 0xA0;
  static constexpr unsigned char kGetBulk = 0xA5;
};

}  // namespace linkwatch::support
