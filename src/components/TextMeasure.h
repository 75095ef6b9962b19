#pragma once
#include <string>

namespace linkwatch {

// Size of a text in the control's font, in the grid's units (pixels).
class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  virtual double TextWidth(const std::string& text) const = 0;
  virtual double TextHeight(const std::string& text) const = 0;
};

}  // namespace linkwatch
