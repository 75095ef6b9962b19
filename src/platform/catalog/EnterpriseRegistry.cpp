#include "platform/catalog/EnterpriseRegistry.h"

#include <string_view>

#include "platform/catalog/RegistryText.h"
#include "platform/catalog/WellKnownEnterprises.h"

namespace linkwatch {
namespace {

bool StartsWithUrl(std::string_view text) {
  return text.rfind("http://", 0) == 0 || text.rfind("https://", 0) == 0;
}

// The registry name without web addresses: a bracketed group that holds one
// ("IBM (https://...)", "Name <http://...>", "(for http://...)") goes, and so
// does a bare address after the name. A name that is only an address keeps its
// host ("http://example.org/x" gives "example.org").
std::string WithoutUrls(std::string_view name) {
  std::string out;
  size_t i = 0;
  while (i < name.size()) {
    const char open = name[i];
    if (open == '(' || open == '<') {
      const char close = open == '(' ? ')' : '>';
      const size_t end = name.find(close, i);
      const std::string_view group =
          name.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i + 1);
      if (group.find("http://") != std::string_view::npos ||
          group.find("https://") != std::string_view::npos) {
        i += group.size();
        continue;
      }
    }
    if (StartsWithUrl(name.substr(i)) && !registry_text::Trim(out).empty()) break;
    out += name[i++];
  }
  std::string_view kept = registry_text::Trim(out);
  if (StartsWithUrl(kept)) {
    kept.remove_prefix(kept.find("//") + 2);
    kept = kept.substr(0, kept.find('/'));
  }
  return std::string(kept);
}

}  // namespace

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
  std::string readable = WithoutUrls(organization);
  organizations_.emplace(number, readable.empty() ? std::move(organization) : std::move(readable));
}

std::string EnterpriseRegistry::Find(uint32_t number) const {
  const auto it = organizations_.find(number);
  if (it == organizations_.end()) return std::string();  // no registry, no name
  const std::string_view familiar = WellKnownEnterprises::Find(number);
  return familiar.empty() ? it->second : std::string(familiar);
}

size_t EnterpriseRegistry::Size() const { return organizations_.size(); }

}  // namespace linkwatch
