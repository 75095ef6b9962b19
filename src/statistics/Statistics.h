#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/KeyedCollection.h"
#include "statistics/Statistic.h"

namespace linkwatch {

class Interface;

// The statistics of one row, keyed by statistic name as first given (letter case
// ignored), in order of first arrival.
class Statistics {
 public:
  using const_iterator = KeyedCollection<Statistic>::const_iterator;

  // By name in any letter case, or by position counted from 1; none for a miss.
  std::shared_ptr<Statistic> Item(const std::string& statName) const;
  std::shared_ptr<Statistic> Item(int32_t position) const;
  // By a name hashed once (Hashed, below), without sharing ownership: a table
  // refresh looks each column's name up in every row.
  Statistic* Find(const HashedKey& statName) const { return statistics_.Find(statName); }
  static HashedKey Hashed(std::string_view statName) {
    return KeyedCollection<Statistic>::Hashed(statName);
  }
  int32_t Count() const;
  // A name or position that is not present is passed over.
  void Remove(const std::string& statName);
  void Remove(int32_t position);

  const_iterator begin() const { return statistics_.begin(); }
  const_iterator end() const { return statistics_.end(); }

  // Finds or creates the statistic and hands it the new value (Statistic::SetValue).
  // row is the row's interface, also for a child row; childIndex is empty on an
  // interface's own row.
  void SetStatistic(const Interface* row, const std::string& childIndex,
                    const std::string& statName, const std::string& value,
                    const std::string& hexVal);

  // The statistic of that name, found without touching its reference count (it is
  // looked up for every value received); a new one gets the thread's template of the
  // name (none when the statistics file has no such statistic). Needs the thread's
  // platform (Globals).
  Statistic& FindOrAdd(const std::string& statName);

 private:
  KeyedCollection<Statistic> statistics_;
};

}  // namespace linkwatch
