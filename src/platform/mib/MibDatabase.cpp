#include "platform/mib/MibDatabase.h"

#include "platform/mib/InstalledMibFiles.h"
#include "platform/mib/MibCatalogueReader.h"
#include "platform/mib/MibTextRules.h"

namespace linkwatch {

MibDatabase::MibDatabase(Settings settings) : settings_(std::move(settings)) {
  MibCatalogueReader::Result catalogue = MibCatalogueReader::Read(settings_.catalogue);
  problems_ = std::move(catalogue.problems);
  for (MibEntry& entry : catalogue.entries) {
    if (index_.Add(std::move(entry))) ++catalogueSize_;
  }
}

bool MibDatabase::InstalledMibsLoaded() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return installedLoaded_;
}

void MibDatabase::LoadInstalledMibs() {
  if (installedLoaded_ || !settings_.useInstalledMibs) return;
  installedLoaded_ = true;
  for (MibEntry& entry : InstalledMibFiles::Load(settings_.extraMibDirs)) {
    index_.Add(std::move(entry));  // refused when the catalogue has the name
  }
}

std::shared_ptr<const MibEntry> MibDatabase::Resolve(std::string_view name) {
  const std::string_view text = mibtext::Trim(name);
  if (text.empty()) return nullptr;
  if (const auto oid = mibtext::CanonicalOid(text)) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (auto known = index_.FindByOid(*oid)) return known;
    auto numeric = std::make_shared<MibEntry>();
    numeric->name = *oid;
    numeric->oid = *oid;
    return numeric;
  }
  return ResolveName(text);
}

std::shared_ptr<const MibEntry> MibDatabase::ResolveName(std::string_view name) {
  if (const size_t module = name.rfind("::"); module != std::string_view::npos) {
    name.remove_prefix(module + 2);
  }
  std::string_view instance;
  if (const size_t dot = name.find('.'); dot != std::string_view::npos) {
    instance = name.substr(dot + 1);
    name = name.substr(0, dot);
    if (!mibtext::CanonicalOid(instance) || instance.front() == '.') return nullptr;
  }
  std::lock_guard<std::mutex> lock(mutex_);
  auto entry = index_.FindByName(name);
  if (!entry && !installedLoaded_) {
    LoadInstalledMibs();
    entry = index_.FindByName(name);
  }
  if (!entry || instance.empty()) return entry;
  auto withInstance = std::make_shared<MibEntry>(*entry);
  withInstance->name += "." + std::string(instance);
  withInstance->oid += "." + std::string(instance);
  return withInstance;
}

std::string MibDatabase::SymbolicName(std::string_view numericOid) {
  const auto oid = mibtext::CanonicalOid(mibtext::Trim(numericOid));
  if (!oid) return std::string(numericOid);
  std::lock_guard<std::mutex> lock(mutex_);
  MibIndex::PrefixMatch match = index_.LongestPrefix(*oid);
  // A catalogue group or table only says where the OID lies; an installed MIB
  // may know the object itself, so look there before settling for the group.
  const bool objectFound = match.entry && !index_.HasDescendants(match.entry->oid);
  if (!objectFound && !installedLoaded_) {
    LoadInstalledMibs();
    match = index_.LongestPrefix(*oid);
  }
  if (!match.entry) return std::string(numericOid);
  return match.rest.empty() ? match.entry->name : match.entry->name + "." + match.rest;
}

}  // namespace linkwatch
