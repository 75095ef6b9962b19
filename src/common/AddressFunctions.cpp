#include "common/AddressFunctions.h"

#include "common/TextFunctions.h"

namespace linkwatch {

bool IsIPAddress(const std::string& text) {
  const std::vector<std::string> parts = Split(text, '.');
  if (parts.size() != 4) {
    return false;
  }
  for (const std::string& raw : parts) {
    const std::string part = TrimBlanks(raw);
    if (part.empty()) {
      return false;
    }
    int value = 0;
    for (char c : part) {
      if (c < '0' || c > '9') {
        return false;
      }
      value = value * 10 + (c - '0');
      if (value > 255) {
        return false;
      }
    }
  }
  return true;
}

std::string NormalizeMacAddress(const std::string& text) {
  std::string digits;
  for (char c : UpperCase(TrimBlanks(text))) {
    if (c != '.') {
      digits += c;
    }
  }
  auto group = [&digits](size_t start) {
    return start < digits.size() ? digits.substr(start, 4) : std::string();
  };
  const std::string result = group(0) + "." + group(4) + "." + group(8);
  return result == ".." ? std::string() : result;
}

}  // namespace linkwatch
