#pragma once
#include <string>

#include "components/TextMeasure.h"

namespace linkwatch::fakes {

// Every character (byte) is CharWidth pixels wide; every text is Height pixels high.
class FakeTextMeasure : public TextMeasure {
 public:
  double CharWidth = 7.0;
  double Height = 13.0;

  double TextWidth(const std::string& text) const override {
    return CharWidth * static_cast<double>(text.size());
  }
  double TextHeight(const std::string&) const override { return Height; }
};

}  // namespace linkwatch::fakes
