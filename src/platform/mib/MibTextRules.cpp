#include "platform/mib/MibTextRules.h"

#include <cctype>

namespace linkwatch::mibtext {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
}  // namespace

std::string UpperCase(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string OneLine(std::string_view text) {
  std::string line;
  bool pendingSpace = false;
  for (char c : Trim(text)) {
    if (IsBlank(c)) {
      pendingSpace = true;
      continue;
    }
    if (pendingSpace) line += ' ';
    pendingSpace = false;
    line += c;
  }
  return line;
}

std::optional<std::string> CanonicalOid(std::string_view text) {
  if (!text.empty() && text.front() == '.') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  bool arcHasDigit = false;
  for (char c : text) {
    if (c == '.') {
      if (!arcHasDigit) return std::nullopt;  // empty arc: "1..2" or "1."
      arcHasDigit = false;
    } else if (c >= '0' && c <= '9') {
      arcHasDigit = true;
    } else {
      return std::nullopt;
    }
  }
  if (!arcHasDigit) return std::nullopt;
  return std::string(text);
}

std::optional<MibAccess> AccessFromWord(std::string_view word) {
  if (word == "read-only") return kMibReadOnly;
  if (word == "read-write" || word == "read-create" || word == "write-only") return kMibWritable;
  if (word == "not-accessible" || word == "accessible-for-notify") return kMibNotAccessible;
  return std::nullopt;
}

}  // namespace linkwatch::mibtext
