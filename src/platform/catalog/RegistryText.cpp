#include "platform/catalog/RegistryText.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace linkwatch::registry_text {

bool ReadWholeFile(const std::string& path, std::string& contents, std::string& error) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    error = "it is a folder, not a file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = std::strerror(errno);
    return false;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) {
    error = "read error";
    return false;
  }
  contents = std::move(buffer).str();
  return true;
}

void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& onLine) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    onLine(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

void ForEachCsvRecord(std::string_view text,
                      const std::function<void(const std::vector<std::string>&)>& onRecord) {
  std::vector<std::string> fields;
  std::string field;
  bool quoted = false;
  bool recordHasContent = false;
  auto endField = [&] {
    fields.push_back(std::move(field));
    field.clear();
  };
  auto endRecord = [&] {
    endField();
    if (recordHasContent) onRecord(fields);
    fields.clear();
    recordHasContent = false;
  };
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        field += c;
      }
      continue;
    }
    switch (c) {
      case '"':
        quoted = true;
        recordHasContent = true;
        break;
      case ',':
        endField();
        recordHasContent = true;
        break;
      case '\r':
        break;
      case '\n':
        endRecord();
        break;
      default:
        field += c;
        recordHasContent = true;
    }
  }
  if (recordHasContent || !field.empty()) endRecord();
}

std::string_view Trim(std::string_view text) {
  const char* blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(blanks);
  return text.substr(first, last - first + 1);
}

bool ParseDecimal(std::string_view text, uint32_t& value) {
  if (text.empty() || text.size() > 10) return false;
  uint64_t result = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    result = result * 10 + static_cast<uint64_t>(c - '0');
  }
  if (result > UINT32_MAX) return false;
  value = static_cast<uint32_t>(result);
  return true;
}

}  // namespace linkwatch::registry_text
