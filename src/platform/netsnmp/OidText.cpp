#include "platform/netsnmp/OidText.h"

#include <charconv>
#include <cstdint>

namespace linkwatch::netsnmp {

bool OidText::Parse(const std::string& text, std::vector<oid>& subIds) {
  subIds.resize(MAX_OID_LEN);
  size_t count = 0;
  const bool parsed = Parse(text, subIds.data(), count);
  subIds.resize(parsed ? count : 0);
  return parsed;
}

bool OidText::Parse(std::string_view text, oid* subIds, size_t& count) {
  count = 0;
  size_t begin = 0;
  size_t end = text.size();
  if (begin < end && text[begin] == '.') ++begin;
  if (end > begin && text[end - 1] == '.') --end;
  if (begin >= end) return false;

  uint64_t value = 0;
  bool haveDigit = false;
  for (size_t i = begin; i <= end; ++i) {
    if (i == end || text[i] == '.') {
      if (!haveDigit || count >= MAX_OID_LEN) return false;
      subIds[count++] = static_cast<oid>(value);
      value = 0;
      haveDigit = false;
      continue;
    }
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
    if (value > 0xFFFFFFFFull) return false;
    haveDigit = true;
  }
  return true;
}

std::string OidText::Format(const oid* subIds, size_t count) {
  // Every reply binding's OID comes here: digits are written on the stack, and
  // the text is made once at its length. net-snmp decodes at most MAX_OID_LEN
  // sub-identifiers; a longer OID from elsewhere is written on the heap.
  constexpr size_t kMostDigits = 20;  // of a 64-bit sub-identifier
  char onStack[MAX_OID_LEN * (kMostDigits + 1)];
  std::string onHeap;
  char* buffer = onStack;
  if (count > MAX_OID_LEN) {
    onHeap.resize(count * (kMostDigits + 1));
    buffer = onHeap.data();
  }
  char* out = buffer;
  for (size_t i = 0; i < count; ++i) {
    if (i) *out++ = '.';
    const auto value = static_cast<uint64_t>(subIds[i]);
    if (value < 10) {  // most sub-identifiers of the standard tree
      *out++ = static_cast<char>('0' + value);
    } else {
      out = std::to_chars(out, out + kMostDigits, value).ptr;
    }
  }
  return std::string(buffer, static_cast<size_t>(out - buffer));
}

}  // namespace linkwatch::netsnmp
