#include "statistics/Statistics.h"

#include "common/Globals.h"
#include "statistics/StatisticTemplates.h"

namespace linkwatch {

std::shared_ptr<Statistic> Statistics::Item(const std::string& statName) const {
  return statistics_.Item(statName);
}

std::shared_ptr<Statistic> Statistics::Item(int32_t position) const {
  return statistics_.Item(position);
}

int32_t Statistics::Count() const { return statistics_.Count(); }

void Statistics::Remove(const std::string& statName) { statistics_.Remove(statName); }

void Statistics::Remove(int32_t position) { statistics_.Remove(position); }

void Statistics::SetStatistic(const Interface* row, const std::string& childIndex,
                              const std::string& statName, const std::string& value,
                              const std::string& hexVal) {
  FindOrAdd(statName).SetValue(row, childIndex, value, hexVal);
}

Statistic& Statistics::FindOrAdd(const std::string& statName) {
  if (Statistic* found = statistics_.Find(statName)) return *found;
  auto statistic = std::make_shared<Statistic>(Globals::Templates()->Item(statName));
  statistics_.Add(statName, statistic);
  return *statistic;
}

}  // namespace linkwatch
