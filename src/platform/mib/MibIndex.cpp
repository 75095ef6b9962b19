#include "platform/mib/MibIndex.h"

#include "platform/mib/MibTextRules.h"

namespace linkwatch {

bool MibIndex::Add(MibEntry entry) {
  std::string key = mibtext::UpperCase(entry.name);
  if (byName_.count(key) != 0) return false;
  auto shared = std::make_shared<const MibEntry>(std::move(entry));
  byName_.emplace(std::move(key), shared);
  if (byOid_.emplace(shared->oid, shared).second) {
    // Canonical OIDs never start with a dot, so every dot found here is at 1 or later.
    const std::string& oid = shared->oid;
    for (size_t dot = oid.rfind('.'); dot != std::string::npos; dot = oid.rfind('.', dot - 1)) {
      // A known prefix means all shorter ones are known too.
      if (!ancestors_.insert(oid.substr(0, dot)).second) break;
    }
  }
  return true;
}

std::shared_ptr<const MibEntry> MibIndex::FindByName(std::string_view name) const {
  const auto found = byName_.find(mibtext::UpperCase(name));
  return found == byName_.end() ? nullptr : found->second;
}

std::shared_ptr<const MibEntry> MibIndex::FindByOid(std::string_view canonicalOid) const {
  const auto found = byOid_.find(std::string(canonicalOid));
  return found == byOid_.end() ? nullptr : found->second;
}

MibIndex::PrefixMatch MibIndex::LongestPrefix(std::string_view canonicalOid) const {
  std::string_view prefix = canonicalOid;
  while (!prefix.empty()) {
    if (auto entry = FindByOid(prefix)) {
      const std::string_view rest = canonicalOid.substr(prefix.size());
      return {std::move(entry), std::string(rest.empty() ? rest : rest.substr(1))};
    }
    const size_t dot = prefix.rfind('.');
    if (dot == std::string_view::npos) break;
    prefix = prefix.substr(0, dot);
  }
  return {};
}

bool MibIndex::HasDescendants(std::string_view canonicalOid) const {
  return ancestors_.count(std::string(canonicalOid)) != 0;
}

}  // namespace linkwatch
