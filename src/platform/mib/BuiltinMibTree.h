#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "components/MibTree.h"

namespace linkwatch {

class MibDatabase;

// The MIB database of the real platform: the project's built-in catalogue
// (data/mibs, see MibCatalogueLocation for where it is looked for) plus any MIB
// files the user installed, read lazily through net-snmp's parser the first time
// the catalogue cannot answer. For a name or OID both know, the catalogue wins.
class BuiltinMibTree final : public MibTree {
 public:
  struct Options {
    // A catalogue folder or file; empty for MibCatalogueLocation::Default().
    std::filesystem::path catalogue;
    // Folders searched for MIB files besides net-snmp's own MIB path.
    std::vector<std::string> extraMibDirs;
    // False keeps to the built-in catalogue alone.
    bool useInstalledMibs = true;
  };

  BuiltinMibTree();
  explicit BuiltinMibTree(Options options);
  ~BuiltinMibTree() override;

  std::unique_ptr<MibObject> NewObject() override;
  std::string SymbolicName(const std::string& numericOid) const override;

  const std::filesystem::path& CataloguePath() const;
  // Objects the catalogue holds, and the lines it had to skip ("file:line: why").
  size_t CatalogueSize() const;
  const std::vector<std::string>& CatalogueProblems() const;
  bool InstalledMibsLoaded() const;

 private:
  std::shared_ptr<MibDatabase> database_;
};

}  // namespace linkwatch
