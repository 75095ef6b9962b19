#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "StatisticsFileFixture.h"
#include "common/DateFunctions.h"
#include "statistics/Statistic.h"
#include "statistics/Statistics.h"

namespace linkwatch {
namespace {

class StatisticTest : public StatisticsFileFixture {
 protected:
  void SetUp() override {
    StatisticsFileFixture::SetUp();
    WriteStatistics(R"(
      <Statistic NAME="In Octets" MIB="ifInOctets" COUNTER="yes"/>
      <Statistic NAME="In Rate" MIB="ifInOctets" COUNTER="yes" UNITS="octets"/>
      <Statistic NAME="Descr" MIB="ifDescr"/>
      <Statistic NAME="Speed" MIB="ifDescr" UNITS="bps"/>
    )");
    // Whole second, so tests can step within and across seconds.
    platform->Time().SetNow(ToSerialDate({2024, 3, 1, 12, 0, 0}));
  }

  void Set(const std::string& name, const std::string& value) {
    statistics.SetStatistic(nullptr, "", name, value, "");
  }
  std::shared_ptr<Statistic> Get(const std::string& name) { return statistics.Item(name); }

  Statistics statistics;
};

struct Sample {
  double advanceSeconds;  // before this sample
  const char* value;
  double currentValue;
  bool baselining;
};

struct CounterCase {
  const char* what;
  std::vector<Sample> samples;
};

TEST_F(StatisticTest, CountersBecomeRatesPerWholeSecond) {
  const double kNone = Statistic::kNoValue;
  const CounterCase cases[] = {
      {"same second, then the next one measures from the second sample",
       {{0, "1000", kNone, true}, {0.5, "1500", 0, false}, {0.6, "1600", 100, false}}},
      {"a smaller sample starts over",
       {{0, "1000", kNone, true},
        {10, "2000", 100, false},
        {10, "500", kNone, true},
        {5, "1000", 100, false}}},
      {"0.9 s across a second boundary count one second",
       {{0.5, "1000", kNone, true}, {0.9, "2000", 1000, false}}},
      {"0.9 s within one second count nothing", {{0, "1000", kNone, true}, {0.9, "2000", 0, false}}},
      {"an unchanged counter", {{0, "70", kNone, true}, {3, "70", 0, false}}},
      {"a value that is no number counts as 0",
       {{0, "100", kNone, true}, {1, "", kNone, true}, {2, "40", 20, false}}},
  };
  for (const CounterCase& c : cases) {
    Statistics row;
    platform->Time().SetNow(ToSerialDate({2024, 3, 1, 12, 0, 0}));
    for (size_t i = 0; i < c.samples.size(); ++i) {
      const Sample& s = c.samples[i];
      platform->Time().AdvanceSeconds(s.advanceSeconds);
      row.SetStatistic(nullptr, "", "In Octets", s.value, "");
      const auto statistic = row.Item("In Octets");
      EXPECT_EQ(statistic->CurrentValue(), s.currentValue) << c.what << ", sample " << i;
      EXPECT_EQ(statistic->Baselining(), s.baselining) << c.what << ", sample " << i;
    }
  }
}

// Statistics that are no counters show the raw text with their units, keep its
// leading number and never baseline.
TEST_F(StatisticTest, DefaultTextRuleShowsTheRawTextWithUnits) {
  const struct {
    const char* name;
    const char* value;
    const char* parsed;
    double number;
  } cases[] = {
      {"Descr", "eth0", "eth0", 0},
      {"Speed", "100000000", "100000000 bps", 1e8},
  };
  for (const auto& c : cases) {
    Set(c.name, c.value);
    EXPECT_EQ(Get(c.name)->ParsedValue(), c.parsed) << c.name << " " << c.value;
    EXPECT_EQ(Get(c.name)->CurrentValue(), c.number) << c.name << " " << c.value;
    EXPECT_FALSE(Get(c.name)->Baselining()) << c.name << " " << c.value;
  }
  // A counter shows its raw value while its number is the rate.
  Set("In Rate", "1000");
  EXPECT_EQ(Get("In Rate")->ParsedValue(), "1000 octets");
  platform->Time().AdvanceSeconds(10);
  Set("In Rate", "3000");
  EXPECT_EQ(Get("In Rate")->ParsedValue(), "3000 octets");
  EXPECT_EQ(Get("In Rate")->CurrentValue(), 200);
}

TEST_F(StatisticTest, AStatisticWithoutTemplateStoresButNeverParses) {
  Set("Not In The File", "12 apples");
  const auto statistic = Get("not in the file");
  ASSERT_NE(statistic, nullptr);
  EXPECT_EQ(statistic->CurrentValue(), 12);
  EXPECT_EQ(statistic->RawText(), "12 apples");
  EXPECT_EQ(statistic->ParsedValue(), "");
  EXPECT_THROW(statistic->StatName(), std::logic_error);
  EXPECT_THROW(statistic->IsCheckBox(), std::logic_error);
}

}  // namespace
}  // namespace linkwatch
