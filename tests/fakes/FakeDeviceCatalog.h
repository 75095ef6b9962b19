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
  explicit FakePicture(std::string name) : name_(std::move(name)) {}
  std::string Name() const override { return name_; }
  int Width() const override { return 16; }
  int Height() const override { return 16; }
  std::string Svg() const override { return {}; }

 private:
  std::string name_;
};

inline PictureRef MakeFakePicture(const std::string& name) {
  return std::make_shared<FakePicture>(name);
}

// A device catalogue whose knowledge is the tables the test fills in. Unknown
// keys answer an empty text or no picture; NormalizeStatus answers the code
// itself unless the table maps it. Every operation is counted by name.
class FakeDeviceCatalog : public DeviceCatalog {
 public:
  bool HighColor() const override { Count("HighColor"); return highColor_; }
  void SetHighColor(bool highColor) override {
    Count("SetHighColor");
    highColor_ = highColor;
  }

  std::string InterfaceTypeText(int32_t type) override {
    return Ask("InterfaceTypeText", TypeTexts, type);
  }
  std::string InterfaceTypeDescription(int32_t type) override {
    return Ask("InterfaceTypeDescription", TypeDescriptions, type);
  }
  PictureRef InterfaceTypeIcon(int32_t type) override {
    return Ask("InterfaceTypeIcon", TypeIcons, type);
  }
  int32_t NormalizeStatus(int16_t code, int32_t kind) override {
    Count("NormalizeStatus");
    auto found = NormalizedStatuses.find({code, kind});
    return found == NormalizedStatuses.end() ? code : found->second;
  }
  std::string StatusText(int32_t status) override { return Ask("StatusText", StatusTexts, status); }
  PictureRef StatusIcon(int32_t status) override { return Ask("StatusIcon", StatusIcons, status); }
  std::string SystemVendor(const std::string& oid) override {
    return Ask("SystemVendor", SystemVendors, lastTextArgument_ = oid);
  }
  std::string SystemMachineType(const std::string& oid) override {
    return Ask("SystemMachineType", SystemMachineTypes, lastTextArgument_ = oid);
  }
  std::string MacVendor(const std::string& hexMac) override {
    lastTextArgument_ = hexMac;
    return Ask("MacVendor", MacVendors, hexMac.substr(0, 6));
  }
  PictureRef SystemVendorIcon(const std::string& oid) override {
    return Ask("SystemVendorIcon", SystemVendorIcons, lastTextArgument_ = oid);
  }

  // How often the named operation (e.g. "SystemVendor") was called.
  int Calls(const std::string& operation) const {
    auto found = calls_.find(operation);
    return found == calls_.end() ? 0 : found->second;
  }
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
  template <typename Map, typename Key>
  typename Map::mapped_type Ask(const char* operation, const Map& table, const Key& key) const {
    Count(operation);
    auto found = table.find(key);
    return found == table.end() ? typename Map::mapped_type{} : found->second;
  }

  bool highColor_ = false;
  mutable std::map<std::string, int> calls_;
  std::string lastTextArgument_;
};

}  // namespace linkwatch::fakes
