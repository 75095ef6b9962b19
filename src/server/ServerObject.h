#pragma once
#include <memory>
#include <optional>
#include <string_view>
#include <type_traits>
#include <variant>

#include "server/ClassId.h"

namespace linkwatch {

class InterfaceList;
class Interface;
class InterfaceChild;
class InterfaceChildren;
class Interfaces;
class Statistic;
class Statistics;
class StatisticTemplate;
class StatisticTemplates;

// One object handed to a host by the class registry: a shared reference to an
// instance of one of the nine classes, tagged by its class, or nothing. The host
// takes the typed reference out with As<T>(), which gives none for any other
// class, so an object can never be used as the wrong class.
class ServerObject {
 public:
  using Reference =
      std::variant<std::monostate, std::shared_ptr<InterfaceList>, std::shared_ptr<Interface>,
                   std::shared_ptr<InterfaceChild>, std::shared_ptr<InterfaceChildren>,
                   std::shared_ptr<Interfaces>, std::shared_ptr<Statistic>,
                   std::shared_ptr<Statistics>, std::shared_ptr<StatisticTemplate>,
                   std::shared_ptr<StatisticTemplates>>;

  ServerObject() = default;
  template <typename T>
  explicit ServerObject(std::shared_ptr<T> object) {
    if (object) reference_ = std::move(object);
  }

  bool Empty() const { return std::holds_alternative<std::monostate>(reference_); }
  explicit operator bool() const { return !Empty(); }

  // The class of the object; none when empty.
  std::optional<ClassId> Class() const;

  // The object as a T; none when the object is of another class or empty.
  template <typename T>
  std::shared_ptr<T> As() const {
    if (const auto* held = std::get_if<std::shared_ptr<T>>(&reference_)) return *held;
    return nullptr;
  }

  // The untyped reference (shares ownership), for hosts that keep objects of
  // every class in one place; none when empty.
  std::shared_ptr<void> Untyped() const;

 private:
  Reference reference_;
};

}  // namespace linkwatch
