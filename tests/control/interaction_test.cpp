// What the host and the user do with the filled table: the answers about the cell
// under the cursor, hiding rows, selecting all and copying, and the control's
// handling of the grid's events (column moves, edits, sorting, selection, mouse).
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "fakes/ControlFixture.h"
#include "model/Interfaces.h"

namespace linkwatch {
namespace {

using testing_control::DeviceFixture;

// Columns, in this order: STATUS (read-only, grid sort), TRAFFIC IN (custom sort),
// SIGNAL (a child statistic), ALIAS (writable), ENABLE (the control's own check
// box), ERRORS (custom sort), NOSUCH (no template).
constexpr const char* kColumns = "STATUS,TRAFFIC IN,SIGNAL,ALIAS,ENABLE,ERRORS,NOSUCH";
enum Column { kStatus, kTrafficIn, kSignal, kAlias, kEnable, kErrors, kNoSuch };

// The rows the table shows, as the refresh keys them: interfaces 3 and 12, a
// client of 12, and rows whose interface the run does not know.
const std::vector<std::string> kRowKeys = {"I:3", "I:12", "C:12.7", "I:40", "C:40.1"};

// Interface 3 ("eth3") and 12 ("eth12") with a status each, and a client 7 of
// interface 12 with a signal.
void FillModel(Interfaces& interfaces) {
  interfaces.SetName(3, "eth3");
  interfaces.SetStatistic(3, "", "STATUS", "1", "");
  interfaces.SetName(12, "eth12");
  interfaces.SetStatistic(12, "", "STATUS", "2", "");
  interfaces.SetStatistic(12, "7", "SIGNAL", "-40", "");
}

// The control on its grid, its rows keyed as kRowKeys (rows 1 to 5).
class InteractionTest : public DeviceFixture {
 protected:
  InteractionTest() {
    control->SetStatisticsList(kColumns);
    InterfaceListInternals::ReplaceInterfaces(*control);
    FillModel(*control->Interfaces());
    control->SelectionChanged.Subscribe([this] { ++selectionEvents; });
    control->MouseUp.Subscribe([this](int16_t& button, int16_t& shift, float& x, float& y) {
      mouseUps.push_back({button, shift, x, y});
    });
    for (const std::string& key : kRowKeys) AddRow(key);
  }

  int AddRow(const std::string& key) {
    const int row = grid.Rows();
    grid.SetRows(row + 1);
    grid.SetRowData(row, key);
    return row;
  }
  // Selects from the cursor cell (row, col) to (rowSel, colSel).
  void Select(int row, int col, int rowSel, int colSel) {
    grid.SetRow(row);
    grid.SetCol(col);
    grid.SetRowSel(rowSel);
    grid.SetColSel(colSel);
  }
  std::vector<bool> HiddenRows() const {
    std::vector<bool> hidden;
    for (int row = 0; row < grid.Rows(); ++row) hidden.push_back(grid.RowHidden(row));
    return hidden;
  }

  struct MouseRelease {
    int16_t Button, Shift;
    float X, Y;
  };

  int selectionEvents = 0;
  std::vector<MouseRelease> mouseUps;
};

// --- Answers about the cursor cell -----------------------------------------

struct CursorCase {
  const char* Name;
  const char* RowKey;  // empty: the header row
  int Col;
  const char* InterfaceKey;  // empty: none
  const char* ChildKey;      // empty: none
  bool HasStatistic;
};

class CursorAnswerTest : public InteractionTest, public ::testing::WithParamInterface<CursorCase> {};

TEST_P(CursorAnswerTest, AnswersFollowTheRowKey) {
  const CursorCase& c = GetParam();
  const int row = *c.RowKey ? grid.FindRow(c.RowKey) : 0;
  Select(row, c.Col, row, c.Col);

  const auto selected = control->SelectedInterface();
  EXPECT_EQ(selected ? selected->Key() : "", c.InterfaceKey);
  const auto child = control->SelectedInterfaceChild();
  EXPECT_EQ(child ? child->Key() : "", c.ChildKey);
  EXPECT_EQ(control->SelectedStatisticName(), grid.ColKey(c.Col));

  const auto statistic = control->SelectedStatistic();
  ASSERT_EQ(statistic != nullptr, c.HasStatistic);
  if (!statistic) return;
  // The statistic is the row's own, named after the row.
  if (child) {
    EXPECT_EQ(statistic, child->Statistics()->Item(grid.ColKey(c.Col)));
    EXPECT_EQ(statistic->Name(), selected->Name() + " : " + child->Name());
  } else {
    EXPECT_EQ(statistic, selected->Statistics()->Item(grid.ColKey(c.Col)));
    EXPECT_EQ(statistic->Name(), selected->Name());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CursorAnswerTest,
    ::testing::Values(
        CursorCase{"InterfaceRow", "I:12", kStatus, "I:12", "", true},
        // A client row answers its interface too, and the statistic is the client's.
        CursorCase{"ChildRow", "C:12.7", kSignal, "I:12", "C:12.7", true},
        CursorCase{"UnknownInterface", "I:40", kStatus, "", "", false}),
    [](const auto& info) { return std::string(info.param.Name); });

// --- Hiding rows -----------------------------------------------------------

// The selected block's rows are hidden (with child rows inside it), but never the
// header row; unhiding shows them all again.
TEST_F(InteractionTest, HidingTheSelectedBlockKeepsTheHeader) {
  EXPECT_FALSE(control->RowsHidden());
  Select(0, 0, 3, 2);
  control->HideSelectedInterfaces();
  EXPECT_EQ(HiddenRows(), (std::vector<bool>{false, true, true, true, false, false}));
  EXPECT_TRUE(control->RowsHidden());
  control->UnHideAllInterfaces();
  EXPECT_EQ(HiddenRows(), std::vector<bool>(6, false));
  EXPECT_FALSE(control->RowsHidden());
}

// --- Selecting all and copying ---------------------------------------------

class CopyTest : public InteractionTest {
 protected:
  CopyTest() {
    control->SetStatisticsList("STATUS,TRAFFIC IN");  // headers "Status" and "In"
    for (const char* key : {"I:3", "I:12"}) AddRow(key);
    grid.SetCell(kCellText, 1, 0, std::string("up"));
    grid.SetCell(kCellText, 1, 1, std::string("10 Kbps"));
    grid.SetCell(kCellText, 2, 0, std::string("two\rlines"));
    Select(2, 1, 2, 1);
  }

  static constexpr const char* kExpected = "Status\tIn\r\nup\t10 Kbps\r\ntwo\r\nlines\t";
};

// Select all takes the header row and first column to the last cell, without an
// event (it is the control's own doing); copying puts the selection on the
// clipboard, headers first, lines ending in CRLF.
TEST_F(CopyTest, SelectAllThenCopyPutsTheWholeTableOnTheClipboard) {
  fakes::FakeClipboard& clipboard = platform_.Platform().Clip();
  clipboard.SetText("stale");
  control->SelectAll();
  EXPECT_EQ((std::vector<int>{grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}),
            (std::vector<int>{0, 0, 2, 1}));
  EXPECT_EQ(selectionEvents, 0);
  EXPECT_EQ(control->ClipSelection(), kExpected);
  control->CopyToClipboard();
  EXPECT_EQ(clipboard.Text(), kExpected);
}

// --- Column moves and edits ------------------------------------------------

// A drag is reported with the grid's values, ColumnList follows the user's order
// (the poll keeps the layout's) and the edit rule follows the column key: an edit
// starts only where the device can take it, or in the control's own check box.
TEST_F(InteractionTest, ADraggedColumnIsReportedAndEditsFollowTheColumnKey) {
  std::vector<std::pair<int32_t, int32_t>> moves;
  control->RearrangedColumns.Subscribe([&](int32_t& col, int32_t& position) {
    moves.emplace_back(col, position);
  });
  grid.DragColumn(kAlias, 0);
  EXPECT_EQ(moves, (std::vector<std::pair<int32_t, int32_t>>{{kAlias, 0}}));
  EXPECT_EQ(control->ColumnList(), "ALIAS,STATUS,TRAFFIC IN,SIGNAL,ENABLE,ERRORS,NOSUCH");
  auto editCancelled = [&](int col) {
    bool cancel = false;
    grid.Events()->BeforeEdit(1, col, cancel);
    return cancel;
  };
  EXPECT_FALSE(editCancelled(0));        // writable ALIAS, moved to the front
  EXPECT_TRUE(editCancelled(kAlias));    // read-only SIGNAL moved here
  EXPECT_FALSE(editCancelled(kEnable));  // the control's own check box
  EXPECT_TRUE(editCancelled(kNoSuch));   // no template
}

// --- Sorting ---------------------------------------------------------------

TEST_F(InteractionTest, CustomSortsShareOneDirectionAcrossColumns) {
  struct Step {
    int Col;
    int Order;      // what the grid is told
    int Direction;  // SortDirection afterwards
    int SortColumn;
  };
  const std::vector<Step> steps = {
      {kTrafficIn, kGridSortCustom, 1, kTrafficIn},
      {kErrors, kGridSortCustom, -1, kErrors},  // another column reverses
      {kStatus, 1, -1, kErrors},                // the grid sorts its own way
      {kErrors, kGridSortCustom, 1, kErrors},
  };
  for (size_t i = 0; i < steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i));
    int order = 1;
    grid.Events()->BeforeSort(steps[i].Col, order);
    EXPECT_EQ(order, steps[i].Order);
    EXPECT_EQ(State().SortDirection, steps[i].Direction);
    EXPECT_EQ(State().SortColumn, steps[i].SortColumn);
  }
}

struct CompareCase {
  const char* Name;
  GridValue First;
  GridValue Second;
  int Expected;  // with SortDirection 1
};

class CompareTest : public InteractionTest, public ::testing::WithParamInterface<CompareCase> {};

TEST_P(CompareTest, SortValuesOfTheSortColumnDecide) {
  State().SortColumn = kErrors;
  grid.SetCell(kCellSort, 1, kErrors, GetParam().First);
  grid.SetCell(kCellSort, 2, kErrors, GetParam().Second);
  // Another column's values do not count.
  grid.SetCell(kCellSort, 1, kTrafficIn, 1e9);
  for (const int16_t direction : {int16_t{1}, int16_t{-1}}) {
    State().SortDirection = direction;
    int result = 12345;
    grid.Events()->Compare(1, 2, result);
    EXPECT_EQ(result, GetParam().Expected * direction) << "direction " << direction;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Values, CompareTest,
    ::testing::Values(
        // The second row's greater value puts it first (result = direction).
        CompareCase{"SecondGreater", 5.0, 30.0, 1},
        CompareCase{"Texts", std::string("Down"), std::string("Up"), 1},
        // Numbers sort below texts in either order of the rows.
        CompareCase{"NumberAndText", 99.0, std::string("1"), 1},
        CompareCase{"EmptyAsZero", GridValue(), 1.0, 1},
        // Values that cannot be compared count as equal.
        CompareCase{"NotANumber", std::numeric_limits<double>::quiet_NaN(), 1.0, 0}),
    [](const auto& info) { return std::string(info.param.Name); });

// A sort column the grid no longer has (a new layout) compares every row equal.
TEST_F(InteractionTest, ACompareOnAColumnOutsideTheGridIsEqual) {
  State().SortColumn = 99;
  State().SortDirection = 1;
  int result = 12345;
  grid.Events()->Compare(1, 2, result);
  EXPECT_EQ(result, 0);
}

// --- Mouse releases --------------------------------------------------------

// The host's menu works on the cursor's interface: a right click moves a single
// cell cursor to the cell under the mouse, but a selected block stays. Every
// release is reported with the grid's values.
TEST_F(InteractionTest, ARightClickMovesASingleCellCursorAndEveryReleaseIsReported) {
  Select(1, 1, 1, 1);
  grid.SetMousePosition(3, 2);
  grid.MouseUp(2, 1, 10.5f, 20.25f);
  EXPECT_EQ((std::vector<int>{grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}),
            (std::vector<int>{3, 2, 3, 2}));
  ASSERT_EQ(mouseUps.size(), 1u);
  EXPECT_EQ(mouseUps[0].Button, 2);
  EXPECT_EQ(mouseUps[0].Shift, 1);
  EXPECT_EQ(mouseUps[0].X, 10.5f);
  EXPECT_EQ(mouseUps[0].Y, 20.25f);

  Select(1, 0, 3, 2);
  grid.SetMousePosition(4, 1);
  grid.MouseUp(2, 0, 0.0f, 0.0f);
  EXPECT_EQ((std::vector<int>{grid.Row(), grid.Col(), grid.RowSel(), grid.ColSel()}),
            (std::vector<int>{1, 0, 3, 2}));
  EXPECT_EQ(mouseUps.size(), 2u);
}

}  // namespace
}  // namespace linkwatch
