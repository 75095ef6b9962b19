#pragma once
#include <cstddef>
#include <string_view>

namespace linkwatch::support {

// Where the parts of an SNMPv1/v2c message lie in a datagram, so that a test tool
// can damage one of them on purpose (FaultLink rewrites request ids and flips
// header bytes). Only the outer layers are read: message, version, community,
// PDU and request id. Anything else (SNMPv3, garbage, a truncated datagram) is not
// Readable.
struct SnmpDatagramLayout {
  bool Readable = false;       // a v1/v2c message whose request id was found
  size_t HeaderEnd = 0;        // just past the community: the message's own header
  size_t RequestIdOffset = 0;  // the request-id INTEGER's content octets
  size_t RequestIdLength = 0;

  static SnmpDatagramLayout Of(std::string_view datagram);
};

}  // namespace linkwatch::support
