// Times the table refresh at the end of a poll on the in-memory grid: 10,000
// interfaces with 10 columns of text, icons, check boxes and rates, and 1,000
// child rows (wireless clients) under them. Prints milliseconds per refresh
// after the first one (which appends the rows), and the same at 2,500, 5,000 and
// 10,000 interfaces to show how it grows.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "common/Globals.h"
#include "fakes/FakeDeviceCatalog.h"
#include "fakes/FakePlatform.h"
#include "model/Interfaces.h"
#include "platform/grid/MemoryGrid.h"
#include "statistics/StatisticTemplates.h"
#include "table/CellFiller.h"
#include "table/ChildRows.h"
#include "table/TableRefresh.h"

namespace {

using namespace linkwatch;
using Clock = std::chrono::steady_clock;

constexpr int kColumns = 10;
constexpr int kDefaultRefreshes = 15;
int refreshes = kDefaultRefreshes;  // the first argument overrides it (for profiling)
constexpr int kChildrenPerTenInterfaces = 1;

constexpr const char* kStatistics = R"(<Portsight><Statistics>
  <Statistic Name="Interface Name" Header="Interface" MIB="ifDescr" />
  <Statistic Name="Alias" Header="Alias" MIB="ifAlias" />
  <Statistic Name="Interface Status" Header="Status" MIB="ifOperStatus" Parser="OPERSTATUS" />
  <Statistic Name="Interface Status Icon" Header="State" MIB="ifOperStatus" Parser="ICON" Units="OPERSTATUS" />
  <Statistic Name="Admin Status" Header="Enabled" MIB="ifAdminStatus" Parser="ADMINSTATUS" CheckBox="yes" />
  <Statistic Name="TRAFFIC IN" Header="In" MIB="ifInOctets" Counter="yes" Parser="TRAFFIC" />
  <Statistic Name="TRAFFIC OUT" Header="Out" MIB="ifOutOctets" Counter="yes" Parser="TRAFFIC" />
  <Statistic Name="MTU" Header="MTU" MIB="ifMtu" Units="bytes" />
  <Statistic Name="Signal" Header="Signal" MIB="clientSignal" Child="Client" Units="dBm" />
  <Statistic Name="Disassociate Time" Header="Gone Since" MIB="clientAging" Child="Client" />
</Statistics></Portsight>)";

const char* const kColumnKeys[kColumns] = {
    "Interface Name", "Alias", "Interface Status", "Interface Status Icon", "Admin Status",
    "TRAFFIC IN",     "TRAFFIC OUT", "MTU",     "Signal",           "Disassociate Time"};

// CPU time of this thread in milliseconds: on a busy machine the wall-clock time
// also counts the time other programs had the processor.
double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Stopwatch {
  Clock::time_point wall = Clock::now();
  double cpu = ThreadCpuMs();
  double WallMs() const {
    return std::chrono::duration<double, std::milli>(Clock::now() - wall).count();
  }
  double CpuMs() const { return ThreadCpuMs() - cpu; }
};

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

std::shared_ptr<fakes::FakePlatform> InstallPlatform() {
  auto platform = std::make_shared<fakes::FakePlatform>();
  fakes::FakeMibTree& mib = platform->Mib();
  mib.Register("IFDESCR", "1.3.6.1.2.1.2.2.1.2");
  mib.Register("IFALIAS", "1.3.6.1.2.1.31.1.1.1.18", {}, {}, kMibWritable);
  mib.Register("IFOPERSTATUS", "1.3.6.1.2.1.2.2.1.8");
  mib.Register("IFADMINSTATUS", "1.3.6.1.2.1.2.2.1.7", {}, {}, kMibWritable);
  mib.Register("IFINOCTETS", "1.3.6.1.2.1.2.2.1.10");
  mib.Register("IFOUTOCTETS", "1.3.6.1.2.1.2.2.1.16");
  mib.Register("IFMTU", "1.3.6.1.2.1.2.2.1.4");
  mib.Register("CLIENTSIGNAL", "1.3.6.1.4.1.99.1.1");
  mib.Register("CLIENTAGING", "1.3.6.1.4.1.99.1.2");
  Globals::Install(platform);
  Globals::Templates()->Clear();
  Globals::Templates()->RefreshFromText(kStatistics);
  auto& catalog = static_cast<fakes::FakeDeviceCatalog&>(*Globals::Catalog());
  catalog.StatusTexts = {{1, "Up"}, {2, "Down"}};
  for (int status : {1, 2, 3, 7}) {
    catalog.StatusIcons[status] = fakes::MakeFakePicture("status-" + std::to_string(status));
  }
  return platform;
}

// Interfaces 1..count with every column's statistic (counters sampled twice so
// they show a rate), and one client for every tenth interface.
std::shared_ptr<Interfaces> MakeInterfaces(int count, fakes::ManualClock& clock) {
  auto interfaces = std::make_shared<Interfaces>();
  for (int round = 0; round < 2; ++round) {
    for (int i = 1; i <= count; ++i) {
      const std::string n = std::to_string(i);
      interfaces->SetStatistic(i, "", "TRAFFIC IN", std::to_string(1000 * i * (round + 1)), "");
      interfaces->SetStatistic(i, "", "TRAFFIC OUT", std::to_string(700 * i * (round + 1)), "");
    }
    clock.AdvanceSeconds(10);
  }
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    interfaces->SetStatistic(i, "", "Interface Name", "GigabitEthernet0/" + n, "");
    interfaces->SetStatistic(i, "", "Alias", "uplink to rack " + n, "");
    interfaces->SetStatistic(i, "", "Interface Status", i % 7 ? "1" : "2", "");
    interfaces->SetStatistic(i, "", "Interface Status Icon", i % 7 ? "1" : "2", "");
    interfaces->SetStatistic(i, "", "Admin Status", i % 11 ? "1" : "2", "");
    interfaces->SetStatistic(i, "", "MTU", "1500", "");
  }
  for (int c = 0; c < count / 10 * kChildrenPerTenInterfaces; ++c) {
    const int parent = 1 + (c * 10) % count;
    interfaces->SetStatistic(parent, "4.84.101.115.116.0.17.34.51.68." + std::to_string(c % 256),
                             "Signal", std::to_string(-40 - c % 30), "");
  }
  return interfaces;
}

void LayOut(MemoryGrid& grid) {
  grid.SetRows(1);
  grid.SetCols(kColumns);
  grid.SetFixedRows(1);
  for (int col = 0; col < kColumns; ++col) {
    grid.SetColKey(col, kColumnKeys[col]);
    grid.SetCell(kCellText, 0, col, std::string(kColumnKeys[col]));
    grid.SetCell(kCellFontBold, 0, col, true);
  }
}

struct Figures {
  double FirstWall, FirstCpu, MedianWall, MedianCpu, BestCpu;
  int Rows;
};

Figures TimeTable(int interfaceCount, fakes::FakePlatform& platform) {
  const std::shared_ptr<Interfaces> interfaces = MakeInterfaces(interfaceCount, platform.Time());
  MemoryGrid grid(&platform.GetTextMeasure());
  LayOut(grid);

  const CellFiller cells(grid, platform.GetTextMeasure());
  const ChildRows children(grid, cells,
                           ChildRows::Services{platform.GetClock(), platform.GetRegionalSettings(),
                                               [] { return Globals::Catalog(); }, 30});
  int selectionEvents = 0;
  const TableRefresh refresh(grid, cells, children, [&] { ++selectionEvents; });

  const Stopwatch firstRefresh;
  refresh.Refresh(*interfaces);
  const double firstWall = firstRefresh.WallMs();
  const double firstCpu = firstRefresh.CpuMs();

  std::vector<double> wall, cpu;
  for (int round = 0; round < refreshes; ++round) {
    const Stopwatch watch;
    refresh.Refresh(*interfaces);
    wall.push_back(watch.WallMs());
    cpu.push_back(watch.CpuMs());
  }
  return {firstWall, firstCpu, Median(wall), Median(cpu), *std::min_element(cpu.begin(), cpu.end()),
          grid.Rows() - 1};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) refreshes = std::max(1, std::atoi(argv[1]));
  const std::shared_ptr<fakes::FakePlatform> platform = InstallPlatform();
  std::printf("table refresh on the in-memory grid, %d columns, one client per ten interfaces\n",
              kColumns);
  std::printf("times in ms: wall clock, and CPU time of the refreshing thread\n");
  std::printf("%10s %7s %12s %11s %12s %11s %9s %13s\n", "interfaces", "rows", "first wall",
              "first cpu", "median wall", "median cpu", "best cpu", "cpu us/row");
  for (int count : {2'500, 5'000, 10'000}) {
    const Figures f = TimeTable(count, *platform);
    std::printf("%10d %7d %12.2f %11.2f %12.2f %11.2f %9.2f %13.2f\n", count, f.Rows, f.FirstWall,
                f.FirstCpu, f.MedianWall, f.MedianCpu, f.BestCpu, 1000.0 * f.MedianCpu / f.Rows);
  }
  Globals::Reset();
  return 0;
}
