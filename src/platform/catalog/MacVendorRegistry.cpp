#include "platform/catalog/MacVendorRegistry.h"

#include <string_view>
#include <vector>

#include "platform/catalog/RegistryText.h"

namespace linkwatch {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The hexadecimal digits of `text` with separators removed; false when `text`
// holds anything other than digits and separators.
bool HexDigitsOf(std::string_view text, std::string& digits) {
  digits.clear();
  for (char c : text) {
    if (HexDigitValue(c) >= 0) {
      digits += c;
    } else if (c != ':' && c != '-' && c != '.' && c != ' ' && c != '\t') {
      return false;
    }
  }
  return true;
}

uint64_t ValueOfFirstDigits(std::string_view digits, size_t count) {
  uint64_t value = 0;
  for (size_t i = 0; i < count; ++i) value = (value << 4) | HexDigitValue(digits[i]);
  return value;
}

}  // namespace

bool MacVendorRegistry::LoadCsv(const std::string& path, BlockSize size, std::string& error) {
  std::string contents;
  if (!registry_text::ReadWholeFile(path, contents, error)) return false;
  const size_t digitCount = static_cast<size_t>(size);
  std::string digits;
  registry_text::ForEachCsvRecord(contents, [&](const std::vector<std::string>& fields) {
    if (fields.size() < 3) return;
    // The header and malformed rows fail here and are skipped.
    if (!HexDigitsOf(registry_text::Trim(fields[1]), digits) || digits.size() != digitCount) return;
    Add(size, ValueOfFirstDigits(digits, digitCount), std::string(registry_text::Trim(fields[2])));
  });
  return true;
}

void MacVendorRegistry::Add(BlockSize size, uint64_t prefix, std::string organization) {
  auto& blocks = size == BlockSize::Large ? large_ : size == BlockSize::Medium ? medium_ : small_;
  blocks.emplace(prefix, std::move(organization));
}

std::string MacVendorRegistry::Find(const std::string& hexMac) const {
  std::string digits;
  if (!HexDigitsOf(hexMac, digits) || digits.size() < 6) return {};
  if (digits.size() >= 9) {
    if (auto it = small_.find(ValueOfFirstDigits(digits, 9)); it != small_.end()) return it->second;
  }
  if (digits.size() >= 7) {
    if (auto it = medium_.find(ValueOfFirstDigits(digits, 7)); it != medium_.end()) return it->second;
  }
  if (auto it = large_.find(ValueOfFirstDigits(digits, 6)); it != large_.end()) return it->second;
  return {};
}

size_t MacVendorRegistry::Size() const { return large_.size() + medium_.size() + small_.size(); }

}  // namespace linkwatch
