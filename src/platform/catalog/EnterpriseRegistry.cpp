#include "platform/catalog/EnterpriseRegistry.h"

#include <string_view>

#include "platform/catalog/RegistryText.h"

namespace linkwatch {

bool EnterpriseRegistry::LoadTsv(const std::string& path, std::string& error) {
  std::string contents;
  if (!registry_text::ReadWholeFile(path, contents, error)) return false;
  registry_text::ForEachLine(contents, [&](std::string_view line) {
    if (line.empty() || line.front() == '#') return;
    const size_t numberEnd = line.find_first_of(" \t");
    if (numberEnd == std::string_view::npos) return;
    uint32_t number = 0;
    if (!registry_text::ParseDecimal(line.substr(0, numberEnd), number)) return;
    const std::string_view rest = registry_text::Trim(line.substr(numberEnd));
    const std::string_view name = registry_text::Trim(rest.substr(0, rest.find('\t')));
    if (!name.empty()) Add(number, std::string(name));
  });
  return true;
}

void EnterpriseRegistry::Add(uint32_t number, std::string organization) {
  organizations_.emplace(number, std::move(organization));
}

std::string EnterpriseRegistry::Find(uint32_t number) const {
  const auto it = organizations_.find(number);
  return it == organizations_.end() ? std::string() : it->second;
}

size_t EnterpriseRegistry::Size() const { return organizations_.size(); }

}  // namespace linkwatch
