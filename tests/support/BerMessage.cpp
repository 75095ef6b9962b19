#include "support/BerMessage.h"

namespace linkwatch::support {

std::string BerMessage::Tlv(unsigned char tag, const std::string& contents) {
  std::string out(1, static_cast<char>(tag));
  if (contents.size() < 0x80) {
    out += static_cast<char>(contents.size());
  } else {
    std::string length;
    for (size_t n = contents.size(); n > 0; n >>= 8) length.insert(0, 1, static_cast<char>(n & 0xFF));
    out += static_cast<char>(0x80 | length.size());
    out += length;
  }
  return out + contents;
}

std::string BerMessage::Integer(int64_t value) {
  // Two's complement, as few octets as keep the sign.
  std::string octets;
  do {
    octets.insert(0, 1, static_cast<char>(value & 0xFF));
    value >>= 8;
  } while (!((value == 0 && !(octets[0] & 0x80)) || (value == -1 && (octets[0] & 0x80))));
  return Tlv(0x02, octets);
}

std::string BerMessage::Oid(std::span<const uint64_t> subIds) {
  std::string octets(1, static_cast<char>(subIds[0] * 40 + subIds[1]));
  for (const uint64_t subId : subIds.subspan(2)) {
    std::string base128(1, static_cast<char>(subId & 0x7F));
    for (uint64_t rest = subId >> 7; rest > 0; rest >>= 7) {
      base128.insert(0, 1, static_cast<char>(0x80 | (rest & 0x7F)));
    }
    octets += base128;
  }
  return Tlv(0x06, octets);
}

std::string BerMessage::Request(int version, const std::string& community, unsigned char pduTag,
                                int32_t requestId, int32_t errorOrNonRepeaters,
                                int32_t indexOrRepetitions, std::span<const uint64_t> oid) {
  const std::string binding = Tlv(0x30, Oid(oid) + Tlv(0x05, ""));
  const std::string pdu = Integer(requestId) + Integer(errorOrNonRepeaters) +
                          Integer(indexOrRepetitions) + Tlv(0x30, binding);
  return Tlv(0x30, Integer(version) + Tlv(0x04, community) + Tlv(pduTag, pdu));
}

}  // namespace linkwatch::support
