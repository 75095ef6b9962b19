#include "platform/catalog/MachineTypeTable.h"

#include <string_view>

#include "platform/catalog/ObjectIdentifierText.h"
#include "platform/catalog/RegistryText.h"

namespace linkwatch {

bool MachineTypeTable::LoadTsv(const std::string& path, std::string& error, int& skippedRows) {
  skippedRows = 0;
  std::string contents;
  if (!registry_text::ReadWholeFile(path, contents, error)) return false;
  registry_text::ForEachLine(contents, [&](std::string_view line) {
    if (registry_text::Trim(line).empty() || line.front() == '#') return;
    const size_t tab = line.find('\t');
    const std::string prefix =
        oid_text::Normalize(std::string(line.substr(0, tab)));
    const std::string_view machineType =
        tab == std::string_view::npos ? std::string_view() : registry_text::Trim(line.substr(tab + 1));
    if (prefix.empty() || machineType.empty()) {
      ++skippedRows;
      return;
    }
    byPrefix_.emplace(prefix, std::string(machineType));
  });
  return true;
}

void MachineTypeTable::Add(const std::string& oidPrefix, std::string machineType) {
  const std::string prefix = oid_text::Normalize(oidPrefix);
  if (!prefix.empty()) byPrefix_.emplace(prefix, std::move(machineType));
}

std::string MachineTypeTable::Find(const std::string& systemOid) const {
  std::string candidate = oid_text::Normalize(systemOid);
  // One hash lookup per sub-identifier, from the whole OID down to its first arc.
  while (!candidate.empty()) {
    if (const auto it = byPrefix_.find(candidate); it != byPrefix_.end()) return it->second;
    const size_t dot = candidate.rfind('.');
    if (dot == std::string::npos) break;
    candidate.resize(dot);
  }
  return {};
}

size_t MachineTypeTable::Size() const { return byPrefix_.size(); }

}  // namespace linkwatch
