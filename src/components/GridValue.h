#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "components/Picture.h"

namespace linkwatch {

// A value of a grid cell attribute or of a set-once grid setting: nothing, a
// Boolean, a whole number (counts, colours 0x00BBGGRR, check states), a number,
// a text, or a picture.
using GridValue = std::variant<std::monostate, bool, int64_t, double, std::string,
                               std::shared_ptr<const Picture>>;

// Cell attribute codes.
enum GridCellAttribute : int {
  kCellText = 0,
  kCellPicture = 3,
  kCellPictureAlignment = 4,  // always 4
  kCellChecked = 5,           // 1 set, 2 clear
  kCellBackColor = 6,
  kCellForeColor = 7,
  kCellFontBold = 13,  // header emphasis
  kCellSort = 20,      // sort value
};

// Check states of kCellChecked.
enum GridCheckState : int64_t {
  kGridChecked = 1,
  kGridUnchecked = 2,
};

// Grid repaint codes.
enum GridRedraw : int {
  kGridRedrawSuspend = 0,
  kGridRedrawResume = 2,
};

// Order code of before-sort that makes the grid ask Compare.
inline constexpr int kGridSortCustom = 9;

// Relation code of an outline node's AddChild.
inline constexpr int kGridRelationChild = 3;

}  // namespace linkwatch
