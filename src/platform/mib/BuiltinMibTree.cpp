#include "platform/mib/BuiltinMibTree.h"

#include "platform/mib/BuiltinMibObject.h"
#include "platform/mib/MibCatalogueLocation.h"
#include "platform/mib/MibDatabase.h"

namespace linkwatch {

BuiltinMibTree::BuiltinMibTree() : BuiltinMibTree(Options{}) {}

BuiltinMibTree::BuiltinMibTree(Options options) {
  MibDatabase::Settings settings;
  settings.catalogue =
      options.catalogue.empty() ? MibCatalogueLocation::Default() : std::move(options.catalogue);
  settings.extraMibDirs = std::move(options.extraMibDirs);
  settings.useInstalledMibs = options.useInstalledMibs;
  database_ = std::make_shared<MibDatabase>(std::move(settings));
}

BuiltinMibTree::~BuiltinMibTree() = default;

std::unique_ptr<MibObject> BuiltinMibTree::NewObject() {
  return std::make_unique<BuiltinMibObject>(database_);
}

std::string BuiltinMibTree::SymbolicName(const std::string& numericOid) const {
  return database_->SymbolicName(numericOid);
}

const std::filesystem::path& BuiltinMibTree::CataloguePath() const {
  return database_->CataloguePath();
}

size_t BuiltinMibTree::CatalogueSize() const { return database_->CatalogueSize(); }

const std::vector<std::string>& BuiltinMibTree::CatalogueProblems() const {
  return database_->CatalogueProblems();
}

bool BuiltinMibTree::InstalledMibsLoaded() const { return database_->InstalledMibsLoaded(); }

}  // namespace linkwatch
