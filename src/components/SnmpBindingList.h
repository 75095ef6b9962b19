#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "components/SnmpBinding.h"

namespace linkwatch {

// The bindings of a message, in request (or response) order. Item is zero-based.
class SnmpBindingList {
 public:
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  SnmpBinding& Item(int32_t index) { return items_.at(static_cast<size_t>(index)); }
  const SnmpBinding& Item(int32_t index) const { return items_.at(static_cast<size_t>(index)); }
  void Clear() { items_.clear(); }
  void Reserve(size_t count) { items_.reserve(count); }
  SnmpBinding& Add(std::string oid, std::string value, int16_t type) {
    return items_.emplace_back(std::move(oid), std::move(value), type);
  }
  void Add(SnmpBinding binding) { items_.push_back(std::move(binding)); }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::vector<SnmpBinding> items_;
};

}  // namespace linkwatch
