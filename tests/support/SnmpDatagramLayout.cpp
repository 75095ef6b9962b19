#include "support/SnmpDatagramLayout.h"

#include <optional>

namespace linkwatch::support {

namespace {

constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kInteger = 0x02;
constexpr unsigned char kOctetString = 0x04;
constexpr unsigned char kFirstPdu = 0xA0;  // get-request
constexpr unsigned char kLastPdu = 0xA8;   // report
constexpr long kSnmpV3 = 3;

// One BER type-length-value: where its contents start and how long they are.
struct Element {
  unsigned char Type = 0;
  size_t ContentOffset = 0;
  size_t ContentLength = 0;
  size_t End() const { return ContentOffset + ContentLength; }
};

// The element that starts at `offset`, when it fits inside the datagram.
std::optional<Element> ReadElement(std::string_view data, size_t offset) {
  if (offset + 2 > data.size()) return std::nullopt;
  Element element;
  element.Type = static_cast<unsigned char>(data[offset]);
  const auto first = static_cast<unsigned char>(data[offset + 1]);
  size_t position = offset + 2;
  size_t length = first;
  if (first & 0x80) {
    const size_t octets = first & 0x7F;
    if (octets == 0 || octets > 4 || position + octets > data.size()) return std::nullopt;
    length = 0;
    for (size_t i = 0; i < octets; ++i) {
      length = (length << 8) | static_cast<unsigned char>(data[position + i]);
    }
    position += octets;
  }
  if (position + length > data.size()) return std::nullopt;
  element.ContentOffset = position;
  element.ContentLength = length;
  return element;
}

long IntegerValue(std::string_view data, const Element& element) {
  long value = 0;
  for (size_t i = 0; i < element.ContentLength && i < sizeof(long); ++i) {
    value = (value << 8) | static_cast<unsigned char>(data[element.ContentOffset + i]);
  }
  return value;
}

}  // namespace

SnmpDatagramLayout SnmpDatagramLayout::Of(std::string_view datagram) {
  SnmpDatagramLayout layout;
  const auto message = ReadElement(datagram, 0);
  if (!message || message->Type != kSequence) return layout;
  const auto version = ReadElement(datagram, message->ContentOffset);
  if (!version || version->Type != kInteger || IntegerValue(datagram, *version) >= kSnmpV3) {
    return layout;
  }
  const auto community = ReadElement(datagram, version->End());
  if (!community || community->Type != kOctetString) return layout;
  const auto pdu = ReadElement(datagram, community->End());
  if (!pdu || pdu->Type < kFirstPdu || pdu->Type > kLastPdu) return layout;
  const auto requestId = ReadElement(datagram, pdu->ContentOffset);
  if (!requestId || requestId->Type != kInteger || requestId->ContentLength == 0) return layout;
  layout.Readable = true;
  layout.HeaderEnd = community->End();
  layout.RequestIdOffset = requestId->ContentOffset;
  layout.RequestIdLength = requestId->ContentLength;
  return layout;
}

}  // namespace linkwatch::support
