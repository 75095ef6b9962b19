#include "platform/widgets/GridCellValues.h"

namespace linkwatch {

std::optional<int64_t> WholeNumberOf(const GridValue& value) {
  if (const auto* number = std::get_if<int64_t>(&value)) return *number;
  if (const auto* truth = std::get_if<bool>(&value)) return *truth ? 1 : 0;
  return std::nullopt;
}

bool TruthOf(const GridValue& value) {
  const auto number = WholeNumberOf(value);
  return number && *number != 0;
}

std::optional<double> NumberOf(const GridValue& value) {
  if (const auto* number = std::get_if<double>(&value)) return *number;
  if (const auto whole = WholeNumberOf(value)) return static_cast<double>(*whole);
  return std::nullopt;
}

std::optional<QColor> ColorOf(const GridValue& value) {
  const auto color = WholeNumberOf(value);
  if (!color) return std::nullopt;
  const auto bgr = static_cast<uint32_t>(*color);
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

int64_t GridColorOf(const QColor& color) {
  return static_cast<int64_t>(color.red()) | (static_cast<int64_t>(color.green()) << 8) |
         (static_cast<int64_t>(color.blue()) << 16);
}

}  // namespace linkwatch
