#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "components/DeviceCatalog.h"
#include "components/Picture.h"

namespace linkwatch::fakes {

// A named picture with no artwork, for icons in core tests.
class FakePicture : public Picture {
 public:
  explicit FakePicture(std::string name, int width = 16, int height = 16)
      : name_(std::move(name)), width_(width), height_(height) {}
  std::string Name() const override { return name_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::string Svg() const override { return {}; }

 private:
  std::string name_;
  int width_;
  int height_;
};

inline PictureRef MakeFakePicture(const std::string& name) {
  return std::make_shared<FakePicture>(name);
}

// A device catalogue whose knowledge is the tables the test fills in. Unknown
// keys answer an empty text or no picture; NormalizeStatus answers the code
// itself unless the table maps it. Every operation is counted by name.
class FakeDeviceCatalog : public DeviceCatalog {
 public:
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

  // How often the named operation (e.g. "SystemVendor") was called.
  int Calls(const std::string& operation) const;
  // The argument of the last call of a text-keyed operation.
  const std::string& LastTextArgument() const { return lastTextArgument_; }

  // The tables.
  std::map<int32_t, std::string> TypeTexts;
  std::map<int32_t, std::string> TypeDescriptions;
  std::map<int32_t, PictureRef> TypeIcons;
  std::map<std::pair<int16_t, int32_t>, int32_t> NormalizedStatuses;  // (code, kind)
  std::map<int32_t, std::string> StatusTexts;
  std::map<int32_t, PictureRef> StatusIcons;
  std::map<std::string, std::string> SystemVendors;       // by sysObjectID
  std::map<std::string, std::string> SystemMachineTypes;  // by sysObjectID
  std::map<std::string, PictureRef> SystemVendorIcons;    // by sysObjectID
  std::map<std::string, std::string> MacVendors;          // by the first six hex digits

 private:
  void Count(const std::string& operation) const { ++calls_[operation]; }

  bool highColor_ = false;
  mutable std::map<std::string, int> calls_;
  std::string lastTextArgument_;
};

}  // namespace linkwatch::fakes
