#pragma once
#include <QColor>
#include <cstdint>
#include <optional>

#include "components/GridValue.h"

namespace linkwatch {

// Reading grid attribute values the way the view needs them. Attributes that were
// never set come back as none, so the view can fall back to its own look.

// A whole number, or none when the value is not one.
std::optional<int64_t> WholeNumberOf(const GridValue& value);
// A truth value: true, or a non-zero number; false otherwise.
bool TruthOf(const GridValue& value);
// A number for ordering: whole numbers and numbers; none for other kinds.
std::optional<double> NumberOf(const GridValue& value);
// A grid colour (0x00BBGGRR) as a Qt colour; none when not set.
std::optional<QColor> ColorOf(const GridValue& value);
// A Qt colour as a grid colour (0x00BBGGRR).
int64_t GridColorOf(const QColor& color);

}  // namespace linkwatch
