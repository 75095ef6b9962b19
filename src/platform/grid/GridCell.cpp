#include "platform/grid/GridCell.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace linkwatch {
namespace {

std::string AttributeName(int attribute) { return "cell attribute " + std::to_string(attribute); }

// The text a cell shows for a value: numbers in decimal, truth values as words.
std::string TextOf(const GridValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* whole = std::get_if<int64_t>(&value)) return std::to_string(*whole);
  if (const auto* real = std::get_if<double>(&value)) {
    char buffer[32];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, *real).ptr;
    return std::string(buffer, end);
  }
  if (const auto* flag = std::get_if<bool>(&value)) return *flag ? "True" : "False";
  if (std::holds_alternative<std::monostate>(value)) return {};
  throw std::invalid_argument("a picture cannot be a cell's text");
}

// A whole number within [low, high]; a real number counts when it is whole.
int64_t WholeNumber(const GridValue& value, int attribute, int64_t low, int64_t high) {
  int64_t number = 0;
  if (const auto* whole = std::get_if<int64_t>(&value)) {
    number = *whole;
  } else if (const auto* real = std::get_if<double>(&value);
             real && std::isfinite(*real) && std::trunc(*real) == *real &&
             std::fabs(*real) < 9.0e18) {
    number = static_cast<int64_t>(*real);
  } else {
    throw std::invalid_argument(AttributeName(attribute) + " takes a whole number");
  }
  if (number < low || number > high) {
    throw std::out_of_range(AttributeName(attribute) + " value " + std::to_string(number) +
                            " is outside " + std::to_string(low) + ".." + std::to_string(high));
  }
  return number;
}

bool Truth(const GridValue& value, int attribute) {
  if (const auto* flag = std::get_if<bool>(&value)) return *flag;
  if (const auto* whole = std::get_if<int64_t>(&value)) return *whole != 0;
  if (const auto* real = std::get_if<double>(&value)) return *real != 0.0;
  throw std::invalid_argument(AttributeName(attribute) + " takes a truth value");
}

constexpr int64_t kLargestColor = 0xFFFFFFFF;
constexpr int64_t kLargestSmallCode = 0xFF;

}  // namespace

GridValue GridCell::Flagged(uint8_t flag, int64_t value) const {
  if ((flags_ & flag) == 0) return {};
  return value;
}

GridValue GridCell::Get(int attribute) const {
  switch (attribute) {
    case kCellText:
      return text_;
    case kCellPicture:
      if (!picture_) return {};
      return picture_;
    case kCellPictureAlignment:
      return Flagged(kHasAlignment, alignment_);
    case kCellChecked:
      return Flagged(kHasCheck, check_);
    case kCellBackColor:
      return Flagged(kHasBackColor, backColor_);
    case kCellForeColor:
      return Flagged(kHasForeColor, foreColor_);
    case kCellFontBold:
      if ((flags_ & kHasBold) == 0) return {};
      return (flags_ & kBold) != 0;
    case kCellSort:
      return sortValue_;
    default:
      throw std::invalid_argument("unknown " + AttributeName(attribute));
  }
}

void GridCell::SetCheckState(int64_t state) {
  Set(kCellChecked, GridValue{state});
}

void GridCell::Set(int attribute, const GridValue& value) {
  const bool clear = std::holds_alternative<std::monostate>(value);
  // Each case works the new value out completely before it changes the cell.
  auto setSmall = [&](uint8_t flag, uint8_t& field, int64_t high) {
    if (clear) {
      flags_ &= static_cast<uint8_t>(~flag);
      field = 0;
      return;
    }
    const auto number = WholeNumber(value, attribute, 0, high);
    field = static_cast<uint8_t>(number);
    flags_ |= flag;
  };
  auto setColor = [&](uint8_t flag, uint32_t& field) {
    if (clear) {
      flags_ &= static_cast<uint8_t>(~flag);
      field = 0;
      return;
    }
    field = static_cast<uint32_t>(WholeNumber(value, attribute, 0, kLargestColor));
    flags_ |= flag;
  };

  switch (attribute) {
    case kCellText:
      text_ = TextOf(value);
      return;
    case kCellPicture:
      if (clear) {
        picture_.reset();
      } else if (const auto* picture = std::get_if<std::shared_ptr<const Picture>>(&value)) {
        picture_ = *picture;
      } else {
        throw std::invalid_argument(AttributeName(attribute) + " takes a picture");
      }
      return;
    case kCellPictureAlignment:
      setSmall(kHasAlignment, alignment_, kLargestSmallCode);
      return;
    case kCellChecked:
      // 0 takes the check box away, like no value.
      setSmall(kHasCheck, check_, kLargestSmallCode);
      if (check_ == 0) flags_ &= static_cast<uint8_t>(~kHasCheck);
      return;
    case kCellBackColor:
      setColor(kHasBackColor, backColor_);
      return;
    case kCellForeColor:
      setColor(kHasForeColor, foreColor_);
      return;
    case kCellFontBold:
      if (clear) {
        flags_ &= static_cast<uint8_t>(~(kHasBold | kBold));
      } else if (Truth(value, attribute)) {
        flags_ |= kHasBold | kBold;
      } else {
        flags_ = static_cast<uint8_t>((flags_ | kHasBold) & ~kBold);
      }
      return;
    case kCellSort:
      sortValue_ = value;
      return;
    default:
      throw std::invalid_argument("unknown " + AttributeName(attribute));
  }
}

}  // namespace linkwatch
