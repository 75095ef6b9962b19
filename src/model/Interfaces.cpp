#include "model/Interfaces.h"

namespace linkwatch {

Interface& Interfaces::FindOrAdd(int32_t ifIndex) {
  const std::string key = Interface::KeyFor(ifIndex);
  if (Interface* found = interfaces_.Find(key)) return *found;
  auto created = std::make_shared<Interface>();
  created->SetIndex(ifIndex);
  interfaces_.Add(key, created);
  return *created;
}

std::shared_ptr<Interface> Interfaces::Add(int32_t ifIndex) {
  return FindOrAdd(ifIndex).shared_from_this();
}

void Interfaces::SetStatistic(int32_t ifIndex, const std::string& childIndex,
                              const std::string& statName, const std::string& value,
                              const std::string& hexVal) {
  FindOrAdd(ifIndex).SetStatistic(childIndex, statName, value, hexVal);
}

void Interfaces::SetAdminStatus(int32_t ifIndex, int32_t status) {
  FindOrAdd(ifIndex).SetAdminStatus(status);
}

void Interfaces::SetName(int32_t ifIndex, const std::string& ifDescr) {
  FindOrAdd(ifIndex).SetName(ifDescr);
}

void Interfaces::SetBandwidth(int32_t ifIndex, float bandwidth) {
  FindOrAdd(ifIndex).SetBandwidth(bandwidth);
}

}  // namespace linkwatch
