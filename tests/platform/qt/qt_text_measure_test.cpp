#include "platform/qt/QtTextMeasure.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <string>

namespace linkwatch {
namespace {

TEST(QtTextMeasureTest, MeasuresTheColumnWidthAndRowHeightTexts) {
  const QtTextMeasure measure;
  EXPECT_EQ(measure.Font(), QGuiApplication::font());
  const double x = measure.TextWidth("X");
  const double fiftySevenX = measure.TextWidth(std::string(57, 'X'));
  ASSERT_GT(x, 0.0);
  EXPECT_GT(fiftySevenX, x);
  // Capital X has no kerning with itself: 57 of them are 57 times as wide.
  EXPECT_NEAR(fiftySevenX, 57 * x, 1.0);
  EXPECT_GT(measure.TextHeight("X"), 0.0);
  EXPECT_EQ(measure.TextWidth(""), 0.0);
}

TEST(QtTextMeasureTest, TextOfSeveralLinesIsAsTallAsItsLines) {
  const QtTextMeasure measure;
  const double one = measure.TextHeight("X");
  const double three = measure.TextHeight("X\nX\nX");
  EXPECT_GT(three, 2.5 * one);
  EXPECT_LT(three, 3.5 * one);
  EXPECT_DOUBLE_EQ(measure.TextWidth("XX\nX"), measure.TextWidth("XX"));
}

TEST(QtTextMeasureTest, UsesTheFontItIsGiven) {
  QFont small = QGuiApplication::font();
  small.setPixelSize(10);
  QFont large = small;
  large.setPixelSize(30);
  const QtTextMeasure smallMeasure(small);
  const QtTextMeasure largeMeasure(large);
  EXPECT_GT(largeMeasure.TextWidth("XXXX"), 2 * smallMeasure.TextWidth("XXXX"));
  EXPECT_GT(largeMeasure.TextHeight("X"), 2 * smallMeasure.TextHeight("X"));
}

}  // namespace
}  // namespace linkwatch
