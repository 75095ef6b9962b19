#include "support/SnmpProbe.h"

namespace linkwatch::support {

namespace {

// BER type, length and contents.
std::string Tlv(unsigned char type, const std::string& content) {
  std::string out(1, static_cast<char>(type));
  const size_t size = content.size();
  if (size < 0x80) {
    out += static_cast<char>(size);
  } else if (size <= 0xFF) {
    out += '\x81';
    out += static_cast<char>(size);
  } else {
    out += '\x82';
    out += static_cast<char>(size >> 8);
    out += static_cast<char>(size & 0xFF);
  }
  return out + content;
}

}  // namespace

std::string SysDescrProbe(const std::string& community) {
  static const std::string kSysDescr("\x2B\x06\x01\x02\x01\x01\x01\x00", 8);
  const std::string integerZero("\x02\x01\x00", 3);
  const std::string binding = Tlv(0x30, Tlv(0x06, kSysDescr) + std::string("\x05\x00", 2));
  const std::string pdu = Tlv(0xA0, std::string("\x02\x02\x4C\x57", 4) + integerZero +
                                        integerZero + Tlv(0x30, binding));
  return Tlv(0x30, std::string("\x02\x01\x01", 3) + Tlv(0x04, community) + pdu);
}

}  // namespace linkwatch::support
