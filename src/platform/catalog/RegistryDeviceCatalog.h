#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "components/DeviceCatalog.h"
#include "platform/catalog/CatalogSources.h"
#include "platform/catalog/EnterpriseRegistry.h"
#include "platform/catalog/InterfaceTypeTable.h"
#include "platform/catalog/MachineTypeTable.h"
#include "platform/catalog/MacVendorRegistry.h"

namespace linkwatch {

// The device catalogue over the public registries: IEEE MAC address blocks, IANA
// private enterprise numbers and interface types, plus our table of well-known
// machines, with icons drawn in code in two sets (high colour and sixteen
// colours).
//
// Each source is read on first use and kept for the life of the object; one
// instance serves one thread (the platform makes one per thread), so nothing is
// locked. A source that cannot be read gives empty answers, and its problem is
// reported once through CatalogSources::report and kept for LastMessage().
//
// Answers for unknown input: InterfaceTypeText gives the type number in decimal,
// InterfaceTypeDescription "Unknown", InterfaceTypeIcon the "iftype-other" icon;
// SystemVendor and SystemMachineType give empty text; SystemVendorIcon gives no
// picture for an empty or malformed OID and "vendor-generic" for a vendor
// without a badge. Status numbers are those of InterfaceStatus.
class RegistryDeviceCatalog : public DeviceCatalog {
 public:
  explicit RegistryDeviceCatalog(CatalogSources sources = CatalogSources::Defaults());

  bool HighColor() const override;
  void SetHighColor(bool highColor) override;

  std::string InterfaceTypeText(int32_t type) override;
  std::string InterfaceTypeDescription(int32_t type) override;
  PictureRef InterfaceTypeIcon(int32_t type) override;

  int32_t NormalizeStatus(int16_t code, int32_t kind) override;
  std::string StatusText(int32_t status) override;
  PictureRef StatusIcon(int32_t status) override;

  std::string SystemVendor(const std::string& systemOid) override;
  std::string SystemMachineType(const std::string& systemOid) override;
  std::string MacVendor(const std::string& hexMac) override;
  PictureRef SystemVendorIcon(const std::string& systemOid) override;

  // The last problem met while reading a source; empty when there was none.
  std::string LastMessage() const;
  // Every problem met so far, oldest first.
  const std::vector<std::string>& Messages() const;

 private:
  const MacVendorRegistry& MacVendors();
  const EnterpriseRegistry& Enterprises();
  const InterfaceTypeTable& InterfaceTypes();
  const MachineTypeTable& MachineTypes();

  void Report(std::string message);
  // The icon of that name from the current set, drawn by `draw` the first time.
  template <typename Draw>
  PictureRef CachedIcon(const std::string& name, Draw draw);

  CatalogSources sources_;
  bool highColor_ = true;
  std::optional<MacVendorRegistry> macVendors_;
  std::optional<EnterpriseRegistry> enterprises_;
  std::optional<InterfaceTypeTable> interfaceTypes_;
  std::optional<MachineTypeTable> machineTypes_;
  std::map<std::string, PictureRef> highColorIcons_;
  std::map<std::string, PictureRef> lowColorIcons_;
  std::vector<std::string> messages_;
};

}  // namespace linkwatch
