#include "server/ServerObject.h"

namespace linkwatch {
namespace {

// Class() reads the class from the position of the alternative: keep the
// alternatives in the order of ClassId.
template <ClassId id, typename T>
constexpr bool HoldsAt() {
  return std::is_same_v<
      std::variant_alternative_t<1 + static_cast<std::size_t>(id), ServerObject::Reference>,
      std::shared_ptr<T>>;
}
static_assert(HoldsAt<ClassId::InterfaceList, InterfaceList>());
static_assert(HoldsAt<ClassId::Interface, Interface>());
static_assert(HoldsAt<ClassId::InterfaceChild, InterfaceChild>());
static_assert(HoldsAt<ClassId::InterfaceChildren, InterfaceChildren>());
static_assert(HoldsAt<ClassId::Interfaces, Interfaces>());
static_assert(HoldsAt<ClassId::Statistic, Statistic>());
static_assert(HoldsAt<ClassId::Statistics, Statistics>());
static_assert(HoldsAt<ClassId::StatisticTemplate, StatisticTemplate>());
static_assert(HoldsAt<ClassId::StatisticTemplates, StatisticTemplates>());
static_assert(std::variant_size_v<ServerObject::Reference> == 1 + kAllClasses.size());

}  // namespace

std::optional<ClassId> ServerObject::Class() const {
  if (Empty()) return std::nullopt;
  // The alternatives after std::monostate follow the order of ClassId.
  return static_cast<ClassId>(reference_.index() - 1);
}

std::shared_ptr<void> ServerObject::Untyped() const {
  return std::visit(
      [](const auto& held) -> std::shared_ptr<void> {
        if constexpr (std::is_same_v<std::decay_t<decltype(held)>, std::monostate>) {
          return nullptr;
        } else {
          return held;
        }
      },
      reference_);
}

}  // namespace linkwatch
