#pragma once
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mib/MibEntry.h"
#include "platform/mib/MibIndex.h"

namespace linkwatch {

// The knowledge behind BuiltinMibTree and its objects: the built-in catalogue,
// read at construction, and the user's installed MIB files, read through net-snmp
// the first time a lookup finds nothing in the catalogue. The catalogue wins: an
// installed object is taken only when its name is new, and is found by OID only
// when no catalogue object has that OID. Shared by the tree and every object it
// made, so objects stay valid after the tree is gone; lookups are serialised.
class MibDatabase {
 public:
  struct Settings {
    std::filesystem::path catalogue;
    std::vector<std::string> extraMibDirs;
    bool useInstalledMibs = true;
  };

  explicit MibDatabase(Settings settings);

  // The object a statistics file names: an object name in any letter case,
  // optionally module-qualified ("IF-MIB::ifInOctets") and optionally followed by
  // instance arcs ("sysUpTime.0"); or a numeric OID, which stands for itself.
  // None when the name is unknown.
  std::shared_ptr<const MibEntry> Resolve(std::string_view name);
  // "1.3.6.1.2.1.2.2.1.10.3" -> "ifInOctets.3"; unknown OIDs come back unchanged.
  std::string SymbolicName(std::string_view numericOid);

  const std::filesystem::path& CataloguePath() const { return settings_.catalogue; }
  const std::vector<std::string>& CatalogueProblems() const { return problems_; }
  size_t CatalogueSize() const { return catalogueSize_; }
  bool InstalledMibsLoaded() const;

 private:
  std::shared_ptr<const MibEntry> ResolveName(std::string_view name);
  // Reads the installed MIB files once; call with mutex_ held.
  void LoadInstalledMibs();

  const Settings settings_;
  std::vector<std::string> problems_;
  size_t catalogueSize_ = 0;

  mutable std::mutex mutex_;
  MibIndex index_;
  bool installedLoaded_ = false;
};

}  // namespace linkwatch
