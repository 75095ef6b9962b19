#include "model/Interface.h"

namespace linkwatch {

std::shared_ptr<linkwatch::Statistics> Interface::Statistics() {
  return std::shared_ptr<linkwatch::Statistics>(shared_from_this(), &statistics_);
}

std::shared_ptr<InterfaceChildren> Interface::Children() {
  return std::shared_ptr<InterfaceChildren>(shared_from_this(), &children_);
}

void Interface::SetStatistic(const std::string& childIndex, const std::string& statName,
                             const std::string& value, const std::string& hexVal) {
  if (childIndex.empty()) {
    statistics_.SetStatistic(this, childIndex, statName, value, hexVal);
  } else {
    children_.SetStatistic(*this, childIndex, statName, value, hexVal);
  }
}

std::string Interface::KeyFor(int32_t index) { return "I:" + std::to_string(index); }

}  // namespace linkwatch
