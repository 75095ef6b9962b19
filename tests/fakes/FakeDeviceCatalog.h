#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "components/DeviceCatalog.h"
#include "components/Picture.h"

namespace linkwatch::fakes {

// A named square picture with no artwork, for icons in core tests.
class FakePicture : public Picture {
 public:
  explicit FakePicture(std::string name, int size = 16) : name_(std::move(name)), size_(size) {}
  std::string Name() const override { return name_; }
  int Width() const override { return size_; }
  int Height() const override { return size_; }
  std::string Svg() const override { return {}; }

 private:
  std::string name_;
  int size_;
};

inline PictureRef MakeFakePicture(const std::string& name) {
  return std::make_shared<FakePicture>(name);
}

// A device catalogue whose knowledge is the tables the test fills in. Unknown
// keys answer an empty text or no picture; NormalizeStatus answers the code
// itself unless the table maps it.
class FakeDeviceCatalog : public DeviceCatalog {
 public:
  bool HighColor() const override { return highColor_; }
  void SetHighColor(bool highColor) override { highColor_ = highColor; }

  std::string InterfaceTypeText(int32_t type) override {
    return Ask(TypeTexts, type);
  }
  std::string InterfaceTypeDescription(int32_t type) override {
    return Ask(TypeDescriptions, type);
  }
  PictureRef InterfaceTypeIcon(int32_t type) override {
    return Ask(TypeIcons, type);
  }
  int32_t NormalizeStatus(int16_t code, int32_t kind) override {
    auto found = NormalizedStatuses.find({code, kind});
    return found == NormalizedStatuses.end() ? code : found->second;
  }
  std::string StatusText(int32_t status) override { return Ask(StatusTexts, status); }
  PictureRef StatusIcon(int32_t status) override { return Ask(StatusIcons, status); }
  // The device itself is never known.
  std::string SystemVendor(const std::string&) override { return {}; }
  std::string SystemMachineType(const std::string&) override { return {}; }
  std::string MacVendor(const std::string& hexMac) override {
    return Ask(MacVendors, hexMac.substr(0, 6));
  }
  PictureRef SystemVendorIcon(const std::string&) override { return {}; }

  // The tables.
  std::map<int32_t, std::string> TypeTexts;
  std::map<int32_t, std::string> TypeDescriptions;
  std::map<int32_t, PictureRef> TypeIcons;
  std::map<std::pair<int16_t, int32_t>, int32_t> NormalizedStatuses;  // (code, kind)
  std::map<int32_t, std::string> StatusTexts;
  std::map<int32_t, PictureRef> StatusIcons;
  std::map<std::string, std::string> MacVendors;          // by the first six hex digits

 private:
  template <typename Map, typename Key>
  static typename Map::mapped_type Ask(const Map& table, const Key& key) {
    auto found = table.find(key);
    return found == table.end() ? typename Map::mapped_type{} : found->second;
  }

  bool highColor_ = false;
};

}  // namespace linkwatch::fakes
