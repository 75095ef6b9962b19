#pragma once
#include <algorithm>
#include <string>

#include "components/TextMeasure.h"

namespace linkwatch {

// Text sizes in characters and lines, for hosts that print the table as text.
class CharacterTextMeasure final : public TextMeasure {
 public:
  double TextWidth(const std::string& text) const override {
    size_t widest = 0;
    size_t start = 0;
    while (start <= text.size()) {
      const size_t end = std::min(text.find('\n', start), text.size());
      widest = std::max(widest, end - start);
      start = end + 1;
    }
    return static_cast<double>(widest);
  }
  double TextHeight(const std::string& text) const override {
    return static_cast<double>(1 + std::count(text.begin(), text.end(), '\n'));
  }
};

}  // namespace linkwatch
