#include "fakes/FakeDeviceCatalog.h"

namespace linkwatch::fakes {
namespace {

template <typename Map, typename Key>
typename Map::mapped_type Lookup(const Map& table, const Key& key) {
  auto found = table.find(key);
  return found == table.end() ? typename Map::mapped_type{} : found->second;
}

}  // namespace

bool FakeDeviceCatalog::HighColor() const {
  Count("HighColor");
  return highColor_;
}

void FakeDeviceCatalog::SetHighColor(bool highColor) {
  Count("SetHighColor");
  highColor_ = highColor;
}

std::string FakeDeviceCatalog::InterfaceTypeText(int32_t type) {
  Count("InterfaceTypeText");
  return Lookup(TypeTexts, type);
}

std::string FakeDeviceCatalog::InterfaceTypeDescription(int32_t type) {
  Count("InterfaceTypeDescription");
  return Lookup(TypeDescriptions, type);
}

PictureRef FakeDeviceCatalog::InterfaceTypeIcon(int32_t type) {
  Count("InterfaceTypeIcon");
  return Lookup(TypeIcons, type);
}

int32_t FakeDeviceCatalog::NormalizeStatus(int16_t code, int32_t kind) {
  Count("NormalizeStatus");
  auto found = NormalizedStatuses.find({code, kind});
  return found == NormalizedStatuses.end() ? code : found->second;
}

std::string FakeDeviceCatalog::StatusText(int32_t status) {
  Count("StatusText");
  return Lookup(StatusTexts, status);
}

PictureRef FakeDeviceCatalog::StatusIcon(int32_t status) {
  Count("StatusIcon");
  return Lookup(StatusIcons, status);
}

std::string FakeDeviceCatalog::SystemVendor(const std::string& systemOid) {
  Count("SystemVendor");
  lastTextArgument_ = systemOid;
  return Lookup(SystemVendors, systemOid);
}

std::string FakeDeviceCatalog::SystemMachineType(const std::string& systemOid) {
  Count("SystemMachineType");
  lastTextArgument_ = systemOid;
  return Lookup(SystemMachineTypes, systemOid);
}

std::string FakeDeviceCatalog::MacVendor(const std::string& hexMac) {
  Count("MacVendor");
  lastTextArgument_ = hexMac;
  return Lookup(MacVendors, hexMac.substr(0, 6));
}

PictureRef FakeDeviceCatalog::SystemVendorIcon(const std::string& systemOid) {
  Count("SystemVendorIcon");
  lastTextArgument_ = systemOid;
  return Lookup(SystemVendorIcons, systemOid);
}

int FakeDeviceCatalog::Calls(const std::string& operation) const {
  auto found = calls_.find(operation);
  return found == calls_.end() ? 0 : found->second;
}

}  // namespace linkwatch::fakes
