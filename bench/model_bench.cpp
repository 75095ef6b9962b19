// How fast values reach the data model, and what the model costs in memory.
//
// Builds 10,000 interfaces with 10 statistics each (five counters, five plain
// values) through Interfaces::SetStatistic, the way walk replies arrive: one
// statistic column after another. Then polls the same values again several
// times, 30 seconds apart on a manual clock, and prints the time per value,
// the values per second and the heap bytes per interface.
//
//   model_bench [interfaces] [update rounds]
#include <malloc.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "common/Globals.h"
#include "fakes/FakePlatform.h"
#include "model/Interfaces.h"
#include "statistics/StatisticTemplates.h"

// Live heap bytes through operator new, counted by the allocator's own block size.
namespace {
std::atomic<long long> liveBytes{0};
std::atomic<long long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (!block) throw std::bad_alloc();
  liveBytes += static_cast<long long>(malloc_usable_size(block));
  ++allocations;
  return block;
}
void operator delete(void* block) noexcept {
  if (!block) return;
  liveBytes -= static_cast<long long>(malloc_usable_size(block));
  std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace linkwatch {
namespace {

constexpr int kStatistics = 10;
constexpr int kCounters = 5;

struct BenchStatistic {
  std::string name;
  bool counter;
};

std::vector<BenchStatistic> InstallPlatform() {
  auto platform = std::make_shared<fakes::FakePlatform>();
  std::vector<BenchStatistic> statistics;
  std::string xml = "<Portsight><Statistics>\n";
  for (int i = 0; i < kStatistics; ++i) {
    const bool counter = i < kCounters;
    const std::string name = (counter ? "COUNTER " : "VALUE ") + std::to_string(i);
    const std::string mib = "benchObject" + std::to_string(i);
    platform->Mib().Register(mib, "1.3.6.1.4.1.99999.1." + std::to_string(i + 1));
    xml += "  <Statistic Name=\"" + name + "\" Header=\"H" + std::to_string(i) + "\" MIB=\"" +
           mib + "\" Units=\"" + (counter ? "bps" : "") + "\" Counter=\"" +
           (counter ? "yes" : "no") + "\" />\n";
    statistics.push_back({name, counter});
  }
  xml += "</Statistics></Portsight>\n";
  Globals::Install(platform);
  Globals::Templates()->Clear();
  Globals::Templates()->RefreshFromText(xml);
  if (Globals::Templates()->Count() != kStatistics) {
    std::fprintf(stderr, "model_bench: the generated statistics did not load\n");
    std::exit(1);
  }
  return statistics;
}

// The value texts of one round, made before the round is timed.
std::vector<std::string> RoundValues(int interfaces, int round, bool counter) {
  std::vector<std::string> values;
  values.reserve(static_cast<size_t>(interfaces));
  for (int i = 0; i < interfaces; ++i) {
    const long long base = counter ? 1000000LL * (i + 1) + 125000LL * round : (i * 7 + round) % 1000;
    values.push_back(std::to_string(base));
  }
  return values;
}

// Routes one round of every statistic for every interface; returns the seconds it took.
double RunRound(Interfaces& interfaces, const std::vector<BenchStatistic>& statistics,
                int interfaceCount, int round) {
  std::vector<std::vector<std::string>> values;
  for (const BenchStatistic& statistic : statistics) {
    values.push_back(RoundValues(interfaceCount, round, statistic.counter));
  }
  const std::string noChild;
  const std::string hex;
  const auto start = std::chrono::steady_clock::now();
  for (size_t s = 0; s < statistics.size(); ++s) {
    for (int i = 0; i < interfaceCount; ++i) {
      interfaces.SetStatistic(i + 1, noChild, statistics[s].name, values[s][static_cast<size_t>(i)],
                              hex);
    }
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Run(int interfaceCount, int updateRounds) {
  const std::vector<BenchStatistic> statistics = InstallPlatform();
  auto& clock = static_cast<fakes::FakePlatform&>(Globals::GetPlatform()).Time();
  const double values = static_cast<double>(interfaceCount) * kStatistics;

  const long long before = liveBytes.load();
  const long long allocationsBefore = allocations.load();
  const size_t heapBefore = mallinfo2().uordblks;
  auto interfaces = std::make_unique<Interfaces>();
  const double buildSeconds = RunRound(*interfaces, statistics, interfaceCount, 0);
  const long long modelBytes = liveBytes.load() - before;
  const long long buildAllocations = allocations.load() - allocationsBefore;
  const size_t heapBytes = mallinfo2().uordblks - heapBefore;

  double updateSeconds = 0;
  for (int round = 1; round <= updateRounds; ++round) {
    clock.AdvanceSeconds(30);
    updateSeconds += RunRound(*interfaces, statistics, interfaceCount, round);
  }

  // A counter has a rate after its second sample: check the model did the work.
  const auto last = interfaces->Item(interfaceCount);
  const auto counter = last ? last->OwnStatistics().Item(statistics[0].name) : nullptr;
  const bool rated = counter && (updateRounds == 0 ||
                     (!counter->Baselining() && counter->CurrentValue() == 125000.0 / 30.0));
  if (interfaces->Count() != interfaceCount || !counter || !rated) {
    std::fprintf(stderr, "model_bench: the model does not hold what was routed\n");
    return 1;
  }

  const double updateValues = values * updateRounds;
  std::printf("model_bench: %d interfaces x %d statistics (%d counters)\n", interfaceCount,
              kStatistics, kCounters);
  std::printf("  first poll (creates everything): %8.1f ns/value  %12.0f values/s\n",
              buildSeconds * 1e9 / values, values / buildSeconds);
  if (updateRounds > 0) {
    std::printf("  later polls (%d rounds):          %8.1f ns/value  %12.0f values/s\n",
                updateRounds, updateSeconds * 1e9 / updateValues, updateValues / updateSeconds);
  }
  std::printf("  memory: %8.0f bytes/interface (operator new)  %8.0f bytes/interface (heap)\n",
              static_cast<double>(modelBytes) / interfaceCount,
              static_cast<double>(heapBytes) / interfaceCount);
  std::printf("  allocations while building: %.1f per interface\n",
              static_cast<double>(buildAllocations) / interfaceCount);

  // A later monitoring run builds a new collection in a heap whose pages the
  // process already has: this is the model's own cost without first-touch faults.
  interfaces.reset();
  auto again = std::make_unique<Interfaces>();
  const double warmSeconds = RunRound(*again, statistics, interfaceCount, 0);
  std::printf("  next run's first poll (warm heap): %6.1f ns/value  %12.0f values/s\n",
              warmSeconds * 1e9 / values, values / warmSeconds);

  again.reset();
  Globals::Reset();
  return 0;
}

}  // namespace
}  // namespace linkwatch

int main(int argc, char** argv) {
  // Keep freed heap pages, as a long-running host's heap does between runs.
  mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
  const int interfaces = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  if (interfaces < 1 || rounds < 0) {
    std::fprintf(stderr, "usage: model_bench [interfaces >= 1] [update rounds >= 0]\n");
    return 2;
  }
  return linkwatch::Run(interfaces, rounds);
}
