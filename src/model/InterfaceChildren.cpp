#include "model/InterfaceChildren.h"

#include "model/Interface.h"

namespace linkwatch {

namespace {

// The deleter of a child handle: it holds the child and its interface, and lets
// both go when the last copy of the handle is released.
struct HeldChild {
  mutable std::shared_ptr<InterfaceChild> child;
  mutable std::shared_ptr<Interface> owner;
  void operator()(InterfaceChild*) const {
    child.reset();
    owner.reset();
  }
};

}  // namespace

std::shared_ptr<InterfaceChild> InterfaceChildren::Handle(
    const std::shared_ptr<InterfaceChild>& child) {
  if (!child) return nullptr;
  std::shared_ptr<Interface> owner = child->Interface();
  if (!owner) return child;  // an interface that is going away: the child alone
  return std::shared_ptr<InterfaceChild>(child.get(), HeldChild{child, std::move(owner)});
}

InterfaceChild& InterfaceChildren::FindOrAdd(Interface& owner, const std::string& childIndex) {
  const std::string index = std::to_string(owner.Index()) + "." + childIndex;
  const std::string key = "C:" + index;
  if (InterfaceChild* found = children_.Find(key)) return *found;
  auto created = std::make_shared<InterfaceChild>();
  created->SetIndex(index);
  created->SetInterface(owner.shared_from_this());
  children_.Add(key, created);
  return *created;
}

std::shared_ptr<InterfaceChild> InterfaceChildren::Add(Interface& owner,
                                                       const std::string& childIndex) {
  return Handle(FindOrAdd(owner, childIndex).shared_from_this());
}

void InterfaceChildren::Clear() { children_.Clear(); }

std::shared_ptr<InterfaceChild> InterfaceChildren::Item(const std::string& key) const {
  return Handle(children_.Item(key));
}

std::shared_ptr<InterfaceChild> InterfaceChildren::Item(int32_t position) const {
  return Handle(children_.Item(position));
}

InterfaceChild* InterfaceChildren::Find(const std::string& key) const {
  return children_.Item(key).get();
}

void InterfaceChildren::SetStatistic(Interface& owner, const std::string& childIndex,
                                     const std::string& statName, const std::string& value,
                                     const std::string& hexVal) {
  FindOrAdd(owner, childIndex).SetStatistic(owner, statName, value, hexVal);
}

}  // namespace linkwatch
