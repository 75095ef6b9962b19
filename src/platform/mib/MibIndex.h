#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/mib/MibEntry.h"

namespace linkwatch {

// Hash-based lookups over MIB entries: by name ignoring letter case, by exact
// numeric OID, and by longest OID prefix. The first entry added for a name wins,
// and so does the first for an OID; later ones are refused.
class MibIndex {
 public:
  struct PrefixMatch {
    std::shared_ptr<const MibEntry> entry;  // none when no prefix is known
    std::string rest;                       // arcs after the entry's OID, no leading dot
  };

  // Adds the entry unless its name is known; its OID is indexed unless another
  // entry holds it already. Returns whether the entry was added.
  bool Add(MibEntry entry);

  std::shared_ptr<const MibEntry> FindByName(std::string_view name) const;
  std::shared_ptr<const MibEntry> FindByOid(std::string_view canonicalOid) const;
  // The entry whose OID is the longest whole-arc prefix of canonicalOid.
  PrefixMatch LongestPrefix(std::string_view canonicalOid) const;
  // True when some entry lies below this OID (a group, table or row).
  bool HasDescendants(std::string_view canonicalOid) const;

  size_t Size() const { return byName_.size(); }

 private:
  std::unordered_map<std::string, std::shared_ptr<const MibEntry>> byName_;  // upper-cased
  std::unordered_map<std::string, std::shared_ptr<const MibEntry>> byOid_;
  std::unordered_set<std::string> ancestors_;  // every proper prefix of an entry's OID
};

}  // namespace linkwatch
