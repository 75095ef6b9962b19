#include "Freshness.h"

#include "model/Interface.h"
#include "model/InterfaceChild.h"
#include "model/InterfaceChildren.h"
#include "model/Interfaces.h"
#include "statistics/Statistic.h"
#include "statistics/Statistics.h"

namespace linkwatch::cli {
namespace {

// The statistics behind a row key: "I:7" an interface's, "C:7.12" a child's.
const Statistics* StatisticsOf(const linkwatch::Interfaces& interfaces, const std::string& key) {
  if (key.rfind("I:", 0) == 0) {
    const auto row = interfaces.Item(key);
    return row ? &row->OwnStatistics() : nullptr;
  }
  if (key.rfind("C:", 0) != 0) return nullptr;
  const size_t dot = key.find('.');
  if (dot == std::string::npos) return nullptr;
  const auto parent = interfaces.Item("I:" + key.substr(2, dot - 2));
  if (!parent) return nullptr;
  for (const auto& child : parent->OwnChildren()) {
    if (child && (child->Key() == key || child->Key() == "C:" + key.substr(dot + 1))) {
      return &child->OwnStatistics();
    }
  }
  return nullptr;
}

}  // namespace

void Freshness::Mark(const linkwatch::Interfaces* interfaces, GridSnapshot& snapshot) {
  std::unordered_map<std::string, uint32_t> now;
  for (SnapshotRow& row : snapshot.Rows) {
    row.Stale.assign(row.Cells.size(), false);
    const Statistics* statistics = interfaces ? StatisticsOf(*interfaces, row.Key) : nullptr;
    if (!statistics) continue;
    for (size_t c = 0; c < row.Cells.size() && c < snapshot.ColumnKeys.size(); ++c) {
      const auto statistic = statistics->Item(snapshot.ColumnKeys[c]);
      if (!statistic) continue;
      const std::string key = row.Key + "\t" + snapshot.ColumnKeys[c];
      const auto before = seen_.find(key);
      row.Stale[c] = before != seen_.end() && before->second == statistic->Updates();
      now.emplace(key, statistic->Updates());
    }
  }
  seen_ = std::move(now);
}

}  // namespace linkwatch::cli
