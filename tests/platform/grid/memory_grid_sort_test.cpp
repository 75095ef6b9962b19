// Header clicks: the order code before-sort answers decides between the custom
// order through Compare, the grid's own text order, or no sort at all. Child rows
// always travel with their head, and the fixed header never moves.
#include <stdexcept>

#include "GridTestSupport.h"

namespace linkwatch {
namespace {

using gridtest::BodyKeys;
using gridtest::FillTable;
using gridtest::RecordingEvents;
using Keys = std::vector<std::string>;

// Reads the sort values of one column as the control does and puts the largest first.
class GridCustomSort : public ::testing::Test {
 protected:
  void SetUp() override {
    FillTable(grid, {"I:1", "I:2", "I:3", "I:4"}, 2);
    events.OnBeforeSort = [](int, int& order) { order = kGridSortCustom; };
    events.OnCompare = [this](int row1, int row2) {
      EXPECT_GE(row1, 1) << "the header is never compared";
      EXPECT_GE(row2, 1);
      EXPECT_EQ(grid.OutlineLevel(row1), 0) << "only group heads are compared";
      EXPECT_EQ(grid.OutlineLevel(row2), 0);
      const auto value1 = std::get<int64_t>(grid.Cell(kCellSort, row1, 1));
      const auto value2 = std::get<int64_t>(grid.Cell(kCellSort, row2, 1));
      return value1 == value2 ? 0 : (value2 > value1 ? 1 : -1);
    };
  }

  void SetSortValues(const std::vector<int64_t>& values) {
    for (size_t i = 0; i < values.size(); ++i) {
      grid.SetCell(kCellSort, grid.FindRow("I:" + std::to_string(i + 1)), 1, values[i]);
    }
  }

  MemoryGrid grid;
  RecordingEvents events{grid};
};

TEST_F(GridCustomSort, OrdersRowsByCompareAndKeepsChildrenUnderTheirHead) {
  grid.AddChild(1, kGridRelationChild, "", "C:1.1");
  grid.AddChild(1, kGridRelationChild, "", "C:1.2");
  grid.AddChild(grid.FindRow("C:1.1"), kGridRelationChild, "", "C:1.1.a");
  grid.AddChild(grid.FindRow("I:3"), kGridRelationChild, "", "C:3.1");
  SetSortValues({5, 20, 10, -10000});
  grid.SetRowHidden(grid.FindRow("I:3"), true);

  EXPECT_EQ(grid.ClickHeader(1), kGridSortCustom);

  EXPECT_EQ(BodyKeys(grid), (Keys{"I:2", "I:3", "C:3.1", "I:1", "C:1.1", "C:1.1.a", "C:1.2", "I:4"}));
  EXPECT_EQ(grid.RowData(0), "") << "the header stays on top";
  EXPECT_EQ(grid.CellText(0, 1), "S1");
  EXPECT_EQ(grid.OutlineLevel(grid.FindRow("C:1.1.a")), 2);
  EXPECT_TRUE(grid.RowHidden(grid.FindRow("I:3"))) << "the hidden mark moves with its row";
  EXPECT_FALSE(grid.RowHidden(grid.FindRow("I:2")));
  gridtest::ExpectEveryKeyFindsItsRow(grid);
}

TEST_F(GridCustomSort, CursorAndSelectionEndStayOnTheirRowsAndColumns) {
  SetSortValues({5, 20, 10, 1});
  grid.Select(grid.FindRow("I:1"), 0, grid.FindRow("I:3"), 1);
  events.Calls.clear();
  grid.ClickHeader(1);
  ASSERT_EQ(BodyKeys(grid), (Keys{"I:2", "I:3", "I:1", "I:4"}));
  EXPECT_EQ(grid.RowData(grid.Row()), "I:1");
  EXPECT_EQ(grid.RowData(grid.RowSel()), "I:3");
  // A column drag takes the cursor's and selection end's columns along.
  grid.DragColumn(0, 1);
  EXPECT_EQ(grid.Col(), 1);
  EXPECT_EQ(grid.ColSel(), 0);
  EXPECT_EQ(events.Calls.size(), 2u) << "before-sort and column moved only, no selection event";
}

TEST_F(GridCustomSort, IsStableForRowsCompareCallsEqual) {
  SetSortValues({7, 9, 7, 9});
  grid.ClickHeader(1);
  EXPECT_EQ(BodyKeys(grid), (Keys{"I:2", "I:4", "I:1", "I:3"}));
  grid.ClickHeader(1);
  EXPECT_EQ(BodyKeys(grid), (Keys{"I:2", "I:4", "I:1", "I:3"})) << "already in order: nothing moves";
}

TEST_F(GridCustomSort, ACompareThatThrowsOrChangesTheRowCountLeavesTheRowsAsTheyWere) {
  const std::function<int(int, int)> failing[] = {
      [](int, int) -> int { throw std::runtime_error("cannot compare"); },
      [this](int, int) {
        grid.SetRows(2);  // refused: rows cannot come or go from inside Compare
        return 0;
      }};
  for (const auto& compare : failing) {
    events.OnCompare = compare;
    EXPECT_THROW(grid.ClickHeader(1), std::exception);
    EXPECT_EQ(BodyKeys(grid), (Keys{"I:1", "I:2", "I:3", "I:4"}));
    gridtest::ExpectEveryKeyFindsItsRow(grid);
  }
  // The grid sorts normally afterwards.
  events.OnCompare = [](int row1, int row2) { return row2 - row1; };
  grid.ClickHeader(1);
  EXPECT_EQ(BodyKeys(grid), (Keys{"I:4", "I:3", "I:2", "I:1"}));
}

// The grid's own order, when before-sort leaves the code it proposed (or another).
TEST(GridHeaderClicks, TheSameColumnTogglesAndAnotherColumnStartsAscendingAgain) {
  MemoryGrid grid;
  RecordingEvents events{grid};
  FillTable(grid, {"I:1", "I:2"}, 2);
  std::vector<std::string> expected;
  for (const auto& [col, order] : {std::pair{0, MemoryGrid::kSortAscending},
                                   {1, MemoryGrid::kSortAscending},
                                   {1, MemoryGrid::kSortDescending},
                                   {0, MemoryGrid::kSortAscending}}) {
    EXPECT_EQ(grid.ClickHeader(col), order) << "column " << col;
    expected.push_back("BeforeSort " + std::to_string(col) + "," + std::to_string(order));
  }
  EXPECT_EQ(events.Calls, expected) << "before-sort hears the order proposed";
}

TEST(GridHeaderClicks, FollowTheOrderTheHandlerAnswers) {
  MemoryGrid grid;
  RecordingEvents events{grid};
  FillTable(grid, {"I:1", "I:2", "I:3"}, 1);
  events.OnBeforeSort = [](int, int& order) { order = MemoryGrid::kSortNone; };
  // Any sort, ascending or descending, would move a row.
  grid.SetCell(kCellText, 1, 0, "z");
  EXPECT_EQ(grid.ClickHeader(0), MemoryGrid::kSortNone);
  EXPECT_EQ(BodyKeys(grid), (Keys{"I:1", "I:2", "I:3"})) << "no sort";
}

// The grid's own order by what the cells mean: one column per case, given in a
// jumbled order, with the texts (and sort values, where the owner set them) it
// must come out in when sorted ascending.
struct MeaningCase {
  const char* what;
  std::vector<std::string> texts;   // ascending
  std::vector<GridValue> sortValues;  // per text, or empty for none
  std::vector<size_t> jumble;         // the order the rows start in
};

class GridOwnSortByMeaning : public ::testing::TestWithParam<MeaningCase> {};

TEST_P(GridOwnSortByMeaning, OrdersCellsTheWayAPersonExpects) {
  const MeaningCase& c = GetParam();
  MemoryGrid grid;
  std::vector<std::string> keys;
  for (size_t i = 0; i < c.jumble.size(); ++i) keys.push_back("I:" + std::to_string(i));
  FillTable(grid, keys, 1);
  for (size_t i = 0; i < c.jumble.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    const size_t which = c.jumble[i];
    grid.SetCell(kCellText, row, 0, c.texts[which]);
    if (!c.sortValues.empty()) grid.SetCell(kCellSort, row, 0, c.sortValues[which]);
  }
  auto shown = [&] {
    std::vector<std::string> texts;
    for (int row = 1; row < grid.Rows(); ++row) texts.push_back(grid.CellText(row, 0));
    return texts;
  };
  ASSERT_EQ(grid.ClickHeader(0), MemoryGrid::kSortAscending);
  EXPECT_EQ(shown(), c.texts);
  ASSERT_EQ(grid.ClickHeader(0), MemoryGrid::kSortDescending);
  EXPECT_EQ(shown(), std::vector<std::string>(c.texts.rbegin(), c.texts.rend()));
}

INSTANTIATE_TEST_SUITE_P(
    Columns, GridOwnSortByMeaning,
    ::testing::Values(
        MeaningCase{"speeds with their sort values",
                    {"9600 bps", "9.6 Kbps", "100 Mbps", "1.0 Gbps", "4.3 Gbps"},
                    {GridValue{9600.0}, GridValue{9601.0}, GridValue{1e8}, GridValue{1e9},
                     GridValue{4.3e9}},
                    {4, 1, 3, 0, 2}},
        MeaningCase{"rates without sort values, in any regional format",
                    {"-20,0 Kbps", "950 bps", "9\xD9\xAB" "6 Kbps", "10.3 Kbps", "1.00 Mbps"},
                    {},
                    {3, 4, 0, 2, 1}},
        MeaningCase{"rates: a kilo is a thousand", {"1.00 Kbps", "1010 bps", "1.02 Kbps"}, {},
                    {1, 2, 0}},
        MeaningCase{"time spans, empty last",
                    {"59 seconds", "1 hours, 1 minutes", "2 hours", "1 days, 1 hours", ""},
                    {},
                    {3, 4, 2, 0, 1}},
        MeaningCase{"interface names in natural order",
                    {"Eth1", "eth2", "eth2.100", "eth10", "GigabitEthernet0/2",
                     "GigabitEthernet0/10", "lo"},
                    {GridValue{0.0}, GridValue{0.0}, GridValue{0.0}, GridValue{0.0},
                     GridValue{0.0}, GridValue{0.0}, GridValue{0.0}},
                    {3, 6, 5, 0, 2, 4, 1}},
        MeaningCase{"numbers by value, then texts ignoring letter case, then exactly",
                    {"20", "100", "A", "a", "b"}, {}, {4, 1, 2, 0, 3}},
        MeaningCase{"addresses and rate lists are texts",
                    {"1, 2, 5.5, 11 Mbps", "9.255.0.1", "10.0.0.2", "10.0.0.10"},
                    {},
                    {2, 3, 1, 0}},
        MeaningCase{"pictures and check boxes by what their sort value says",
                    {"", ""},
                    {GridValue{std::string("Down")}, GridValue{std::string("Up")}},
                    {1, 0}}),
    [](const ::testing::TestParamInfo<MeaningCase>& info) {
      return "Case" + std::to_string(info.index);
    });

}  // namespace
}  // namespace linkwatch
