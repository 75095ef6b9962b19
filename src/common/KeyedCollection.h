#pragma once
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace linkwatch {

// A key with its hash worked out once, for a key looked up in many collections
// (a table column's statistic in every row).
struct HashedKey {
  std::string_view Text;
  uint32_t Hash = 0;
};

// The ordered, keyed store behind every collection the host sees (interfaces,
// children, statistics, statistic templates).
//
// - Entries keep the order in which they were added.
// - Keys are compared ignoring letter case (ASCII upper-casing); the key is kept
//   as it was first given.
// - Item(key) and Item(position) (positions count from 1) return a null pointer for
//   a miss; nothing here throws for a missing key or position.
// - A key is found in constant time through a small open-addressing table of
//   positions, hashed on the upper-cased key. The table holds 32-bit positions
//   only, so an entry costs its key, its pointer and a hash (a few dozen bytes).
// - Removing an entry shifts the later ones down and rebuilds the table, which is
//   linear in the size; collections are filled once and rarely shrink.
template <typename T>
class KeyedCollection {
 public:
  using Pointer = std::shared_ptr<T>;

 private:
  struct Entry {
    std::string key;
    Pointer item;
    uint32_t hash;
  };

 public:

  // Iterates over the items (std::shared_ptr<T>) in collection order.
  class const_iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = Pointer;
    using difference_type = std::ptrdiff_t;
    using pointer = const Pointer*;
    using reference = const Pointer&;

    const_iterator() = default;
    reference operator*() const { return position_->item; }
    pointer operator->() const { return &position_->item; }
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
    friend class KeyedCollection;
    explicit const_iterator(typename std::vector<Entry>::const_iterator p)
        : position_(p) {}
    typename std::vector<Entry>::const_iterator position_;
  };

  KeyedCollection() = default;

  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  bool Empty() const { return entries_.empty(); }

  // Adds item under key at the end. False (and nothing added) when the key is
  // already present in any letter case.
  bool Add(std::string key, Pointer item) {
    const uint32_t hash = HashKey(key);
    if (FindIndex(key, hash) >= 0) {
      return false;
    }
    entries_.push_back(Entry{std::move(key), std::move(item), hash});
    if (NeedsGrowth()) {
      Rebuild();
    } else {
      InsertSlot(hash, static_cast<uint32_t>(entries_.size() - 1));
    }
    return true;
  }

  Pointer Item(std::string_view key) const {
    const int64_t index = FindIndex(key, HashKey(key));
    return index < 0 ? nullptr : entries_[static_cast<size_t>(index)].item;
  }
  // The item under key without sharing its ownership (no reference count touched),
  // for lookups made per value received; null for a miss. Valid until the entry is
  // removed.
  T* Find(std::string_view key) const { return Find(Hashed(key)); }
  // The same for a key hashed beforehand (Hashed), as one key looked up in many
  // collections is.
  T* Find(const HashedKey& key) const {
    const int64_t index = FindIndex(key.Text, key.Hash);
    return index < 0 ? nullptr : entries_[static_cast<size_t>(index)].item.get();
  }
  static HashedKey Hashed(std::string_view key) { return {key, HashKey(key)}; }
  Pointer Item(int32_t position) const {
    if (position < 1 || position > Count()) {
      return nullptr;
    }
    return entries_[static_cast<size_t>(position - 1)].item;
  }

  // The key of the entry at a 1-based position as it was first given; empty for a
  // position outside the collection.
  std::string Key(int32_t position) const {
    if (position < 1 || position > Count()) {
      return {};
    }
    return entries_[static_cast<size_t>(position - 1)].key;
  }

  // 1-based position of the key, 0 when absent.
  int32_t PositionOf(std::string_view key) const {
    return static_cast<int32_t>(FindIndex(key, HashKey(key)) + 1);
  }

  bool Contains(std::string_view key) const { return FindIndex(key, HashKey(key)) >= 0; }

  // Removes the entry; false when there is no such key or position. Whether that
  // is an error is the owning collection's decision.
  bool Remove(std::string_view key) {
    const int64_t index = FindIndex(key, HashKey(key));
    if (index < 0) {
      return false;
    }
    RemoveAt(static_cast<size_t>(index));
    return true;
  }
  bool Remove(int32_t position) {
    if (position < 1 || position > Count()) {
      return false;
    }
    RemoveAt(static_cast<size_t>(position - 1));
    return true;
  }

  // Removes the first entry until none is left, so items are released in order.
  void Clear() {
    std::vector<Entry> released;
    released.swap(entries_);
    slots_.clear();
    for (Entry& entry : released) {
      entry.item.reset();
    }
  }

  const_iterator begin() const { return const_iterator(entries_.begin()); }
  const_iterator end() const { return const_iterator(entries_.end()); }

  // Hash of a key ignoring letter case (FNV-1a over the ASCII upper-cased bytes).
  static uint32_t HashKey(std::string_view key) {
    uint32_t hash = 2166136261u;
    for (char c : key) {
      hash ^= static_cast<unsigned char>(Upper(c));
      hash *= 16777619u;
    }
    return hash;
  }

  static bool SameKey(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
      return false;
    }
    if (a == b) {
      return true;  // the usual case: the key in the letter case it was given
    }
    for (size_t i = 0; i < a.size(); ++i) {
      if (Upper(a[i]) != Upper(b[i])) {
        return false;
      }
    }
    return true;
  }

 private:
  static constexpr char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

  // Slots hold position + 1; 0 marks a free slot. The table is kept at most half
  // full so probe sequences stay short.
  bool NeedsGrowth() const { return entries_.size() * 2 > slots_.size(); }

  void Rebuild() {
    size_t capacity = 8;
    while (capacity < entries_.size() * 2) {
      capacity *= 2;
    }
    slots_.assign(entries_.empty() ? 0 : capacity, 0);
    for (size_t i = 0; i < entries_.size(); ++i) {
      InsertSlot(entries_[i].hash, static_cast<uint32_t>(i));
    }
  }

  void InsertSlot(uint32_t hash, uint32_t index) {
    const size_t mask = slots_.size() - 1;
    size_t slot = hash & mask;
    while (slots_[slot] != 0) {
      slot = (slot + 1) & mask;
    }
    slots_[slot] = index + 1;
  }

  int64_t FindIndex(std::string_view key, uint32_t hash) const {
    if (slots_.empty()) {
      return -1;
    }
    const size_t mask = slots_.size() - 1;
    for (size_t slot = hash & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
      const Entry& entry = entries_[slots_[slot] - 1];
      if (entry.hash == hash && SameKey(entry.key, key)) {
        return static_cast<int64_t>(slots_[slot] - 1);
      }
    }
    return -1;
  }

  void RemoveAt(size_t index) {
    // Keep the item alive until the collection is consistent again, so that a
    // destructor that looks at the collection sees it without the entry.
    Pointer released = std::move(entries_[index].item);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
    Rebuild();
    released.reset();
  }

  std::vector<Entry> entries_;
  std::vector<uint32_t> slots_;
};

}  // namespace linkwatch
