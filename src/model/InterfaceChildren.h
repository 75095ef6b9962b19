#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "common/KeyedCollection.h"
#include "model/InterfaceChild.h"

namespace linkwatch {

class Interface;

// The child entries of one interface, keyed by the children's Key ("C:" + Index,
// letter case ignored), in order of creation.
//
// Ownership: this collection (part of its interface) owns the children, and a
// child only observes its interface, so an interface and its children form no
// cycle and go together when nothing holds them. Every child this collection
// hands out (Add, Item, iteration) is a handle that holds both the child and its
// interface: a host that keeps a child can read its interface after the
// interface has left its collection, and a child removed from here stays valid
// for whoever still holds it.
class InterfaceChildren {
 public:
  // Iterates over handles to the children, in order of creation.
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = std::shared_ptr<InterfaceChild>;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = value_type;

    const_iterator() = default;
    value_type operator*() const { return Handle(*position_); }
    const_iterator& operator++() {
      ++position_;
      return *this;
    }
    const_iterator operator++(int) {
      const_iterator before = *this;
      ++position_;
      return before;
    }
    bool operator==(const const_iterator& other) const = default;

   private:
    friend class InterfaceChildren;
    explicit const_iterator(KeyedCollection<InterfaceChild>::const_iterator position)
        : position_(position) {}
    KeyedCollection<InterfaceChild>::const_iterator position_;
  };

  // Public members, in the order the host sees them.
  // Finds or creates the child of owner with that child index.
  std::shared_ptr<InterfaceChild> Add(Interface& owner, const std::string& childIndex);
  void Clear();
  // By key in any letter case, or by position counted from 1; none for a miss.
  std::shared_ptr<InterfaceChild> Item(const std::string& key) const;
  std::shared_ptr<InterfaceChild> Item(int32_t position) const;
  int32_t Count() const { return children_.Count(); }
  // A missing key or position is passed over.
  void Remove(const std::string& key) { children_.Remove(key); }
  void Remove(int32_t position) { children_.Remove(position); }
  const_iterator begin() const { return const_iterator(children_.begin()); }
  const_iterator end() const { return const_iterator(children_.end()); }
  void SetStatistic(Interface& owner, const std::string& childIndex, const std::string& statName,
                    const std::string& value, const std::string& hexVal);

  // The child itself, without a handle, for the library's own walks; null for a miss.
  InterfaceChild* Find(const std::string& key) const;

  // A pointer to child that also holds child's interface.
  static std::shared_ptr<InterfaceChild> Handle(const std::shared_ptr<InterfaceChild>& child);

 private:
  InterfaceChild& FindOrAdd(Interface& owner, const std::string& childIndex);

  KeyedCollection<InterfaceChild> children_;
};

}  // namespace linkwatch
