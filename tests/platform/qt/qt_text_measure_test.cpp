#include "platform/qt/QtTextMeasure.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <string>

namespace linkwatch {
namespace {

TEST(QtTextMeasureTest, MeasuresTextsOfOneOrSeveralLinesInTheApplicationsFont) {
  const QtTextMeasure measure;
  EXPECT_EQ(measure.Font(), QGuiApplication::font());
  const double x = measure.TextWidth("X");
  ASSERT_GT(x, 0.0);
  // Capital X has no kerning with itself: 57 of them are 57 times as wide.
  EXPECT_NEAR(measure.TextWidth(std::string(57, 'X')), 57 * x, 1.0);
  EXPECT_EQ(measure.TextWidth(""), 0.0);
  const double one = measure.TextHeight("X");
  ASSERT_GT(one, 0.0);
  const double three = measure.TextHeight("X\nX\nX");
  EXPECT_GT(three, 2.5 * one);
  EXPECT_LT(three, 3.5 * one);
  EXPECT_DOUBLE_EQ(measure.TextWidth("XX\nX"), measure.TextWidth("XX")) << "the widest line";
}

}  // namespace
}  // namespace linkwatch
