#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "model/InterfaceChildren.h"
#include "statistics/Statistics.h"

namespace linkwatch {

// One interface (ifIndex) of the monitored device, with its own statistics and
// its child entries. Keyed "I:" + Index. Interfaces are always held by
// std::shared_ptr (Interfaces::Add makes them); the Statistics and Children
// handed out share the interface's lifetime.
class Interface : public std::enable_shared_from_this<Interface> {
 public:
  // Public members, in the order the host sees them.
  std::shared_ptr<linkwatch::Statistics> Statistics();
  std::shared_ptr<InterfaceChildren> Children();
  std::string Key() const { return KeyFor(index_); }
  int32_t Index() const { return index_; }
  int32_t AdminStatus() const { return adminStatus_; }  // DeviceCatalog status code
  const std::string& Name() const { return name_; }      // ifDescr
  float Bandwidth() const { return bandwidth_; }        // bits per second
  // A value for this interface (childIndex empty) or for one of its children.
  void SetStatistic(const std::string& childIndex, const std::string& statName,
                    const std::string& value, const std::string& hexVal);

  // Internal to the library; only Interfaces calls them.
  void SetIndex(int32_t index) { index_ = index; }
  void SetAdminStatus(int32_t status) { adminStatus_ = status; }
  void SetName(const std::string& name) { name_ = name; }
  void SetBandwidth(float bandwidth) { bandwidth_ = bandwidth; }

  // The parts without a new reference, for the library's own walks.
  linkwatch::Statistics& OwnStatistics() { return statistics_; }
  const linkwatch::Statistics& OwnStatistics() const { return statistics_; }
  InterfaceChildren& OwnChildren() { return children_; }
  const InterfaceChildren& OwnChildren() const { return children_; }

  // "I:" followed by the index in decimal.
  static std::string KeyFor(int32_t index);

 private:
  int32_t index_ = 0;
  std::string name_;
  int32_t adminStatus_ = 0;
  float bandwidth_ = 0;
  linkwatch::Statistics statistics_;
  InterfaceChildren children_;
};

}  // namespace linkwatch
