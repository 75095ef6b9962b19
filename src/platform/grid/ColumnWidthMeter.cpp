#include "platform/grid/ColumnWidthMeter.h"

#include <algorithm>

namespace linkwatch {
namespace {

constexpr double kPictureCharacters = 2.0;
constexpr double kCheckBoxCharacters = 2.0;

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

}  // namespace

double ColumnWidthMeter::LineWidth(const std::string& text, size_t begin, size_t end) const {
  if (measure_) return measure_->TextWidth(text.substr(begin, end - begin));
  double codePoints = 0;
  for (size_t i = begin; i < end; ++i) {
    // Continuation bytes of UTF-8 (10xxxxxx) do not start a character.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++codePoints;
  }
  return codePoints;
}

double ColumnWidthMeter::Width(const GridCell& cell) const {
  const std::string& text = cell.Text();
  double widest = 0;
  size_t begin = 0;
  while (begin <= text.size()) {
    size_t end = begin;
    while (end < text.size() && !IsLineBreak(text[end])) ++end;
    if (end > begin) widest = std::max(widest, LineWidth(text, begin, end));
    begin = end + 1;
  }
  double extra = 0;
  if (const auto& picture = cell.CellPicture()) {
    extra += measure_ ? picture->Width() : kPictureCharacters;
  }
  if (cell.HasCheckBox()) extra += measure_ ? measure_->TextHeight("X") : kCheckBoxCharacters;
  return widest + extra;
}

}  // namespace linkwatch
