#include "platform/catalog/InterfaceStatus.h"

namespace linkwatch {

InterfaceStatus InterfaceStatusOf(int32_t status) {
  if (status >= static_cast<int32_t>(InterfaceStatus::Up) &&
      status <= static_cast<int32_t>(InterfaceStatus::AdminDown)) {
    return static_cast<InterfaceStatus>(status);
  }
  return InterfaceStatus::Unknown;
}

int32_t NormalizeInterfaceStatus(int16_t code, int32_t kind) {
  InterfaceStatus status = InterfaceStatus::Unknown;
  if (kind == static_cast<int32_t>(StatusKind::Operational)) {
    if (code >= 1 && code <= 7) status = static_cast<InterfaceStatus>(code);
  } else if (kind == static_cast<int32_t>(StatusKind::Administrative)) {
    switch (code) {
      case 1: status = InterfaceStatus::Up; break;
      case 2: status = InterfaceStatus::AdminDown; break;
      case 3: status = InterfaceStatus::Testing; break;
      default: break;
    }
  }
  return static_cast<int32_t>(status);
}

std::string InterfaceStatusText(int32_t status) {
  switch (InterfaceStatusOf(status)) {
    case InterfaceStatus::Up: return "Up";
    case InterfaceStatus::Down: return "Down";
    case InterfaceStatus::Testing: return "Testing";
    case InterfaceStatus::Unknown: return "Unknown";
    case InterfaceStatus::Dormant: return "Dormant";
    case InterfaceStatus::NotPresent: return "Not Present";
    case InterfaceStatus::LowerLayerDown: return "Lower Layer Down";
    case InterfaceStatus::AdminDown: return "Admin Down";
  }
  return "Unknown";
}

}  // namespace linkwatch
