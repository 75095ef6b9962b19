#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "components/Picture.h"

namespace linkwatch {

using PictureRef = std::shared_ptr<const Picture>;

// What Linkwatch knows of devices: interface types, status codes, vendors by
// sysObjectID and by MAC address, and the icons for them. One instance per thread.
// Every answer is a text (possibly empty) or a picture (possibly none).
class DeviceCatalog {
 public:
  virtual ~DeviceCatalog() = default;

  // Which of the two icon sets the picture operations return.
  virtual bool HighColor() const = 0;
  virtual void SetHighColor(bool highColor) = 0;

  virtual std::string InterfaceTypeText(int32_t type) = 0;         // IANAifType name
  virtual std::string InterfaceTypeDescription(int32_t type) = 0;  // e.g. "Ethernet"
  virtual PictureRef InterfaceTypeIcon(int32_t type) = 0;

  // kind 0: ifOperStatus, kind 1: ifAdminStatus. The result 1 means up.
  virtual int32_t NormalizeStatus(int16_t code, int32_t kind) = 0;
  virtual std::string StatusText(int32_t status) = 0;
  virtual PictureRef StatusIcon(int32_t status) = 0;

  virtual std::string SystemVendor(const std::string& systemOid) = 0;
  virtual std::string SystemMachineType(const std::string& systemOid) = 0;
  virtual std::string MacVendor(const std::string& hexMac) = 0;
  virtual PictureRef SystemVendorIcon(const std::string& systemOid) = 0;
};

}  // namespace linkwatch
