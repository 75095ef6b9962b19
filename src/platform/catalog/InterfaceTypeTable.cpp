#include "platform/catalog/InterfaceTypeTable.h"

#include <string_view>
#include <vector>

#include "platform/catalog/RegistryText.h"

namespace linkwatch {
namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> parts;
  while (true) {
    const size_t tab = line.find('\t');
    parts.push_back(registry_text::Trim(line.substr(0, tab)));
    if (tab == std::string_view::npos) return parts;
    line.remove_prefix(tab + 1);
  }
}

}  // namespace

bool InterfaceTypeTable::LoadTsv(const std::string& path, std::string& error, int& skippedRows) {
  skippedRows = 0;
  std::string contents;
  if (!registry_text::ReadWholeFile(path, contents, error)) return false;
  registry_text::ForEachLine(contents, [&](std::string_view line) {
    if (registry_text::Trim(line).empty() || line.front() == '#') return;
    const std::vector<std::string_view> parts = SplitTabs(line);
    uint32_t type = 0;
    if (parts.size() < 3 || !registry_text::ParseDecimal(parts[0], type) || type > INT32_MAX ||
        parts[1].empty()) {
      ++skippedRows;
      return;
    }
    Entry entry{std::string(parts[1]), std::string(parts[2]),
                parts.size() > 3 ? FamilyFromWord(parts[3]) : InterfaceFamily::Other};
    Add(static_cast<int32_t>(type), std::move(entry));
  });
  return true;
}

void InterfaceTypeTable::Add(int32_t type, Entry entry) { entries_.emplace(type, std::move(entry)); }

const InterfaceTypeTable::Entry* InterfaceTypeTable::Find(int32_t type) const {
  const auto it = entries_.find(type);
  return it == entries_.end() ? nullptr : &it->second;
}

size_t InterfaceTypeTable::Size() const { return entries_.size(); }

}  // namespace linkwatch
