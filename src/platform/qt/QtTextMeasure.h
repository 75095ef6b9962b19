#pragma once
#include <string>

#include <QFont>
#include <QFontMetricsF>

#include "components/TextMeasure.h"

namespace linkwatch {

// Text sizes in pixels for a font: the control's font when the host gives one,
// else the application font at the time of construction. A text of several lines
// (split at line feeds) is as wide as its widest line and as tall as its lines
// together. Needs a QGuiApplication; constructing one without it throws
// std::logic_error.
class QtTextMeasure final : public TextMeasure {
 public:
  QtTextMeasure();
  explicit QtTextMeasure(const QFont& font);

  double TextWidth(const std::string& text) const override;
  double TextHeight(const std::string& text) const override;

  const QFont& Font() const { return font_; }

 private:
  QFont font_;
  QFontMetricsF metrics_;
};

}  // namespace linkwatch
