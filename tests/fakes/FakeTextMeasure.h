#pragma once
#include <string>

#include "components/TextMeasure.h"

namespace linkwatch::fakes {

// Every character (byte) is 7 pixels wide; every text is 13 pixels high.
class FakeTextMeasure : public TextMeasure {
 public:
  static constexpr double kCharWidth = 7.0;
  static constexpr double kHeight = 13.0;

  double TextWidth(const std::string& text) const override {
    return kCharWidth * static_cast<double>(text.size());
  }
  double TextHeight(const std::string&) const override { return kHeight; }
};

}  // namespace linkwatch::fakes
