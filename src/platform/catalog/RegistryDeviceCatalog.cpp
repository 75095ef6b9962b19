#include "platform/catalog/RegistryDeviceCatalog.h"

#include <memory>
#include <utility>

#include "platform/catalog/IconArt.h"
#include "platform/catalog/InterfaceStatus.h"
#include "platform/catalog/ObjectIdentifierText.h"
#include "platform/catalog/SvgPicture.h"
#include "platform/catalog/VendorBadge.h"

namespace linkwatch {
namespace {

std::string CannotRead(const std::string& what, const std::string& path, const std::string& why,
                       const std::string& consequence) {
  return "Device catalogue: cannot read " + what + " \"" + path + "\" (" + why + "); " +
         consequence;
}

std::string SkippedRows(int count, const std::string& path) {
  return "Device catalogue: skipped " + std::to_string(count) + " malformed row" +
         (count == 1 ? "" : "s") + " of \"" + path + "\"";
}

}  // namespace

RegistryDeviceCatalog::RegistryDeviceCatalog(CatalogSources sources)
    : sources_(std::move(sources)) {}

bool RegistryDeviceCatalog::HighColor() const { return highColor_; }

void RegistryDeviceCatalog::SetHighColor(bool highColor) { highColor_ = highColor; }

std::string RegistryDeviceCatalog::InterfaceTypeText(int32_t type) {
  const auto* entry = InterfaceTypes().Find(type);
  return entry ? entry->name : std::to_string(type);
}

std::string RegistryDeviceCatalog::InterfaceTypeDescription(int32_t type) {
  const auto* entry = InterfaceTypes().Find(type);
  return entry ? entry->description : "Unknown";
}

PictureRef RegistryDeviceCatalog::InterfaceTypeIcon(int32_t type) {
  const auto* entry = InterfaceTypes().Find(type);
  const InterfaceFamily family = entry ? entry->family : InterfaceFamily::Other;
  return CachedIcon(icon_art::FamilyIconName(family), [family](const IconPalette& palette) {
    return icon_art::FamilyIconSvg(family, palette);
  });
}

int32_t RegistryDeviceCatalog::NormalizeStatus(int16_t code, int32_t kind) {
  return NormalizeInterfaceStatus(code, kind);
}

std::string RegistryDeviceCatalog::StatusText(int32_t status) {
  return InterfaceStatusText(status);
}

PictureRef RegistryDeviceCatalog::StatusIcon(int32_t status) {
  const InterfaceStatus known = InterfaceStatusOf(status);
  return CachedIcon(icon_art::StatusIconName(known), [known](const IconPalette& palette) {
    return icon_art::StatusIconSvg(known, palette);
  });
}

std::string RegistryDeviceCatalog::SystemVendor(const std::string& systemOid) {
  const auto number = oid_text::EnterpriseNumber(systemOid);
  return number ? Enterprises().Find(*number) : std::string();
}

std::string RegistryDeviceCatalog::SystemMachineType(const std::string& systemOid) {
  if (oid_text::Normalize(systemOid).empty()) return {};
  return MachineTypes().Find(systemOid);
}

std::string RegistryDeviceCatalog::MacVendor(const std::string& hexMac) {
  return MacVendors().Find(hexMac);
}

PictureRef RegistryDeviceCatalog::SystemVendorIcon(const std::string& systemOid) {
  if (oid_text::Normalize(systemOid).empty()) return nullptr;
  const auto number = oid_text::EnterpriseNumber(systemOid);
  const VendorBadge* badge = number ? VendorBadge::Find(*number) : nullptr;
  return CachedIcon(icon_art::VendorIconName(badge), [badge](const IconPalette& palette) {
    return icon_art::VendorIconSvg(badge, palette);
  });
}

std::string RegistryDeviceCatalog::LastMessage() const {
  return messages_.empty() ? std::string() : messages_.back();
}

const std::vector<std::string>& RegistryDeviceCatalog::Messages() const { return messages_; }

const MacVendorRegistry& RegistryDeviceCatalog::MacVendors() {
  if (macVendors_) return *macVendors_;
  macVendors_.emplace();
  const std::pair<const std::string*, MacVendorRegistry::BlockSize> files[] = {
      {&sources_.ieeeLargeBlocks, MacVendorRegistry::BlockSize::Large},
      {&sources_.ieeeMediumBlocks, MacVendorRegistry::BlockSize::Medium},
      {&sources_.ieeeSmallBlocks, MacVendorRegistry::BlockSize::Small},
      {&sources_.ieeeIndividualBlocks, MacVendorRegistry::BlockSize::Small},
  };
  for (const auto& [path, size] : files) {
    std::string error;
    if (!macVendors_->LoadCsv(*path, size, error)) {
      Report(CannotRead("the IEEE MAC address registry", *path, error,
                        "MAC vendors from it will be empty"));
    }
  }
  return *macVendors_;
}

const EnterpriseRegistry& RegistryDeviceCatalog::Enterprises() {
  if (enterprises_) return *enterprises_;
  enterprises_.emplace();
  std::string error;
  if (!enterprises_->LoadTsv(sources_.enterpriseNumbers, error)) {
    Report(CannotRead("the IANA enterprise number registry", sources_.enterpriseNumbers, error,
                      "system vendors will be empty"));
  }
  return *enterprises_;
}

const InterfaceTypeTable& RegistryDeviceCatalog::InterfaceTypes() {
  if (interfaceTypes_) return *interfaceTypes_;
  interfaceTypes_.emplace();
  std::string error;
  int skipped = 0;
  if (!interfaceTypes_->LoadTsv(sources_.interfaceTypes, error, skipped)) {
    Report(CannotRead("the interface type table", sources_.interfaceTypes, error,
                      "interface types will show as numbers"));
  } else if (skipped > 0) {
    Report(SkippedRows(skipped, sources_.interfaceTypes));
  }
  return *interfaceTypes_;
}

const MachineTypeTable& RegistryDeviceCatalog::MachineTypes() {
  if (machineTypes_) return *machineTypes_;
  machineTypes_.emplace();
  std::string error;
  int skipped = 0;
  if (!machineTypes_->LoadTsv(sources_.machineTypes, error, skipped)) {
    Report(CannotRead("the machine type table", sources_.machineTypes, error,
                      "machine types will be empty"));
  } else if (skipped > 0) {
    Report(SkippedRows(skipped, sources_.machineTypes));
  }
  return *machineTypes_;
}

void RegistryDeviceCatalog::Report(std::string message) {
  if (sources_.report) sources_.report(message);
  messages_.push_back(std::move(message));
}

template <typename Draw>
PictureRef RegistryDeviceCatalog::CachedIcon(const std::string& name, Draw draw) {
  auto& cache = highColor_ ? highColorIcons_ : lowColorIcons_;
  auto& icon = cache[name];
  if (!icon) {
    const IconPalette& palette = highColor_ ? IconPalette::HighColor() : IconPalette::LowColor();
    icon = std::make_shared<SvgPicture>(name, icon_art::kIconSize, icon_art::kIconSize,
                                        draw(palette));
  }
  return icon;
}

}  // namespace linkwatch
