// Cell attributes, fitted column widths, repaint suspension and the grid's own
// settings and placement.
#include <memory>
#include <stdexcept>

#include "GridTestSupport.h"
#include "fakes/FakeTextMeasure.h"

namespace linkwatch {
namespace {

class TestPicture : public Picture {
 public:
  explicit TestPicture(int width) : width_(width) {}
  std::string Name() const override { return "icon"; }
  int Width() const override { return width_; }
  int Height() const override { return 16; }
  std::string Svg() const override { return {}; }

 private:
  int width_;
};

struct Attribute {
  const char* Name;
  int Code;
  GridValue Value;
};

class GridCellAttributes : public ::testing::TestWithParam<Attribute> {
 protected:
  void SetUp() override {
    grid.SetRows(3);
    grid.SetCols(2);
  }
  MemoryGrid grid;
};

TEST_P(GridCellAttributes, ReadBackAsSetAndClearWithNoValue) {
  const Attribute attribute = GetParam();
  const GridValue unset = grid.Cell(attribute.Code, 1, 1);
  grid.SetCell(attribute.Code, 1, 1, attribute.Value);
  EXPECT_EQ(grid.Cell(attribute.Code, 1, 1), attribute.Value);
  EXPECT_EQ(grid.Cell(attribute.Code, 1, 0), unset) << "the neighbour is untouched";
  grid.SetCell(attribute.Code, 1, 1, GridValue{});
  EXPECT_EQ(grid.Cell(attribute.Code, 1, 1), unset);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, GridCellAttributes,
    ::testing::Values(
        Attribute{"Text", kCellText, std::string("12.5 Mbit/s")},
        Attribute{"Picture", kCellPicture,
                  std::shared_ptr<const Picture>(std::make_shared<TestPicture>(16))},
        Attribute{"PictureAlignment", kCellPictureAlignment, int64_t{4}},
        Attribute{"CheckedSet", kCellChecked, int64_t{kGridChecked}},
        Attribute{"CheckedClear", kCellChecked, int64_t{kGridUnchecked}},
        Attribute{"BackColor", kCellBackColor, int64_t{0xF0F0F0}},
        Attribute{"ForeColor", kCellForeColor, int64_t{0xFF0000}},
        Attribute{"BlackForeColor", kCellForeColor, int64_t{0}},
        Attribute{"Bold", kCellFontBold, true},
        Attribute{"NotBold", kCellFontBold, false},
        Attribute{"SortNumber", kCellSort, int64_t{-10000}},
        Attribute{"SortReal", kCellSort, 45123.25},
        Attribute{"SortText", kCellSort, std::string("up")}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(GridCells, AttributesNeverSetReadAsNoValueAndTextAsEmpty) {
  MemoryGrid grid;
  grid.SetRows(2);
  grid.SetCols(1);
  EXPECT_EQ(grid.Cell(kCellText, 1, 0), GridValue{std::string()});
  for (int code : {kCellPicture, kCellPictureAlignment, kCellChecked, kCellBackColor,
                   kCellForeColor, kCellFontBold, kCellSort}) {
    EXPECT_EQ(grid.Cell(code, 1, 0), GridValue{}) << "code " << code;
  }
}

TEST(GridCells, NumbersAndTruthValuesBecomeText) {
  MemoryGrid grid;
  grid.SetRows(1);
  grid.SetCols(1);
  const std::vector<std::pair<GridValue, std::string>> cases{
      {int64_t{-42}, "-42"}, {0.5, "0.5"}, {true, "True"}, {false, "False"}};
  for (const auto& [value, text] : cases) {
    grid.SetCell(kCellText, 0, 0, value);
    EXPECT_EQ(grid.CellText(0, 0), text);
  }
}

struct WrongValue {
  const char* Name;
  int Code;
  GridValue Value;
  bool OutOfRange;  // else invalid_argument
};

class GridCellWrongValues : public ::testing::TestWithParam<WrongValue> {};

TEST_P(GridCellWrongValues, AreRefusedAndLeaveTheCellAsItWas) {
  MemoryGrid grid;
  grid.SetRows(1);
  grid.SetCols(1);
  const WrongValue wrong = GetParam();
  grid.SetCell(kCellBackColor, 0, 0, int64_t{0x123456});
  grid.SetCell(kCellChecked, 0, 0, int64_t{kGridChecked});
  grid.SetCell(kCellText, 0, 0, std::string("kept"));
  auto cell = [&] {
    return std::vector<GridValue>{grid.Cell(kCellText, 0, 0), grid.Cell(kCellBackColor, 0, 0),
                                  grid.Cell(kCellChecked, 0, 0), grid.Cell(kCellPicture, 0, 0),
                                  grid.Cell(kCellFontBold, 0, 0)};
  };
  const auto before = cell();
  if (wrong.OutOfRange) {
    EXPECT_THROW(grid.SetCell(wrong.Code, 0, 0, wrong.Value), std::out_of_range);
  } else {
    EXPECT_THROW(grid.SetCell(wrong.Code, 0, 0, wrong.Value), std::invalid_argument);
  }
  EXPECT_EQ(cell(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GridCellWrongValues,
    ::testing::Values(
        WrongValue{"TextFromPicture", kCellText,
                   std::shared_ptr<const Picture>(std::make_shared<TestPicture>(1)), false},
        WrongValue{"ColorFromText", kCellBackColor, std::string("red"), false},
        WrongValue{"NegativeColor", kCellBackColor, int64_t{-1}, true},
        WrongValue{"ColorBeyond32Bits", kCellBackColor, int64_t{0x100000000}, true},
        WrongValue{"FractionalCheckState", kCellChecked, 1.5, false},
        WrongValue{"CheckStateTooLarge", kCellChecked, int64_t{300}, true},
        WrongValue{"PictureFromNumber", kCellPicture, int64_t{3}, false},
        WrongValue{"BoldFromText", kCellFontBold, std::string("yes"), false},
        WrongValue{"UnknownCode", 99, int64_t{1}, false}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(GridCells, CheckStateZeroTakesTheCheckBoxAway) {
  MemoryGrid grid;
  grid.SetRows(2);
  grid.SetCols(1);
  grid.SetCell(kCellChecked, 1, 0, int64_t{kGridChecked});
  grid.SetCell(kCellChecked, 1, 0, int64_t{0});
  EXPECT_EQ(grid.Cell(kCellChecked, 1, 0), GridValue{});
  EXPECT_FALSE(grid.ToggleCheck(1, 0));
}

class GridAutoSize : public ::testing::Test {
 protected:
  void Fill(MemoryGrid& grid) {
    grid.SetRows(4);
    grid.SetCols(3);
    grid.SetCell(kCellText, 0, 0, "Name");
    grid.SetCell(kCellText, 1, 0, "eth0");
    grid.SetCell(kCellText, 2, 0, "Ethernet Port 1");
    grid.SetCell(kCellText, 0, 1, "Speed");
    grid.SetCell(kCellText, 1, 1, "1 Gbit/s\n100 Mbit/s");  // widest line counts
    grid.SetCell(kCellText, 0, 2, "Résumé");                // six characters, eight bytes
    grid.SetCell(kCellPicture, 3, 2, std::make_shared<const TestPicture>(20));
    grid.SetCell(kCellChecked, 2, 2, int64_t{kGridChecked});
    grid.SetRowHidden(2, true);  // hidden rows count: showing them must not clip
  }
};

TEST_F(GridAutoSize, FitsWidthsInCharactersWithoutATextMeasure) {
  MemoryGrid grid;
  Fill(grid);
  grid.AutoSize(0, grid.Cols() - 1);
  EXPECT_EQ(grid.ColWidth(0), 15);
  EXPECT_EQ(grid.ColWidth(1), 10);
  EXPECT_EQ(grid.ColWidth(2), 6);
}

TEST_F(GridAutoSize, FitsWidthsInPixelsOfTheTextMeasure) {
  fakes::FakeTextMeasure measure;  // 7 pixels a byte, 13 high
  MemoryGrid grid(&measure);
  Fill(grid);
  grid.SetCell(kCellText, 3, 2, "ab");  // 14 pixels of text next to a 20 pixel picture
  grid.AutoSize(1, 2);
  EXPECT_EQ(grid.ColWidth(0), GridColumn::kDefaultWidth) << "outside the range";
  EXPECT_EQ(grid.ColWidth(1), 70);
  EXPECT_EQ(grid.ColWidth(2), 56);  // "Résumé" is 8 bytes

  grid.SetCell(kCellText, 0, 2, "");
  grid.AutoSize(2, 2);
  EXPECT_EQ(grid.ColWidth(2), 34);  // text and picture
}

TEST_F(GridAutoSize, AnEmptyRangeFitsNothing) {
  MemoryGrid grid;
  grid.SetRows(1);
  EXPECT_NO_THROW(grid.AutoSize(0, grid.Cols() - 1));
  EXPECT_EQ(grid.Cols(), 0);
}

TEST(GridRepaint, SuspensionsNestUntilEachIsResumed) {
  MemoryGrid grid;
  EXPECT_FALSE(grid.RedrawSuspended());
  grid.SetRedraw(kGridRedrawSuspend);
  grid.SetRedraw(kGridRedrawSuspend);
  grid.SetRedraw(kGridRedrawResume);
  EXPECT_TRUE(grid.RedrawSuspended());
  grid.SetRedraw(kGridRedrawResume);
  EXPECT_FALSE(grid.RedrawSuspended());
  grid.SetRedraw(kGridRedrawResume);
  EXPECT_EQ(grid.RedrawSuspendCount(), 0) << "an extra resume does not go below zero";
}

TEST(GridSettings, KeepWhatWasSetByIdAndPlacementAndHeights) {
  MemoryGrid grid;
  grid.SetRows(2);
  grid.SetSetting(174, int64_t{399});
  grid.SetSetting(88, true);
  grid.SetSetting(88, false);
  EXPECT_EQ(grid.Setting(174), GridValue{int64_t{399}});
  EXPECT_EQ(grid.Setting(88), GridValue{false}) << "the last value counts";
  EXPECT_EQ(grid.Setting(190), GridValue{});
  EXPECT_EQ(grid.BackColorStandard(), MemoryGrid::kDefaultBackColor);

  grid.Move(4, 8, 640, 480);
  EXPECT_EQ(grid.Placement().Width, 640);
  EXPECT_EQ(grid.Placement().Top, 8);

  EXPECT_EQ(grid.RowHeight(1), GridRow::kDefaultHeight);
  grid.SetRowHeight(1, 46);
  EXPECT_EQ(grid.RowHeight(1), 46);
}

}  // namespace
}  // namespace linkwatch
