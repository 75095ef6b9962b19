#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "common/KeyedCollection.h"
#include "model/Interface.h"

namespace linkwatch {

// The interfaces of one monitoring run, keyed by Key ("I:" + ifIndex, letter case
// ignored) in order of creation. Every value reaches the data model through here:
// the routing methods find or create the interface and pass the value on.
class Interfaces {
 public:
  using const_iterator = KeyedCollection<Interface>::const_iterator;

  // Public members, in the order the host sees them.
  // Finds or creates the interface with that index.
  std::shared_ptr<Interface> Add(int32_t ifIndex);
  void Clear() { interfaces_.Clear(); }
  // By key in any letter case, or by position counted from 1; none for a miss.
  std::shared_ptr<Interface> Item(const std::string& key) const { return interfaces_.Item(key); }
  std::shared_ptr<Interface> Item(int32_t position) const { return interfaces_.Item(position); }
  int32_t Count() const { return interfaces_.Count(); }
  // A missing key or position is passed over.
  void Remove(const std::string& key) { interfaces_.Remove(key); }
  void Remove(int32_t position) { interfaces_.Remove(position); }
  const_iterator begin() const { return interfaces_.begin(); }
  const_iterator end() const { return interfaces_.end(); }
  void SetStatistic(int32_t ifIndex, const std::string& childIndex, const std::string& statName,
                    const std::string& value, const std::string& hexVal);
  void SetAdminStatus(int32_t ifIndex, int32_t status);
  void SetName(int32_t ifIndex, const std::string& ifDescr);
  void SetBandwidth(int32_t ifIndex, float bandwidth);

 private:
  Interface& FindOrAdd(int32_t ifIndex);

  KeyedCollection<Interface> interfaces_;
};

}  // namespace linkwatch
