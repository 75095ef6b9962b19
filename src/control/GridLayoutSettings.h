#pragma once

namespace linkwatch {

// Ids of the grid's set-once settings that the table layout and ClearTable set.
// Their visual meaning is the grid's own; the layout only fixes the values.
namespace grid_setting {
inline constexpr int kSetting22 = 22;  // 0xFFC8C8
inline constexpr int kSetting23 = 23;  // 0xFF0000
inline constexpr int kBackColor = 24;  // the grid's standard background colour
inline constexpr int kSetting28 = 28;  // true
inline constexpr int kSetting41 = 41;  // 0 when cleared
inline constexpr int kSetting42 = 42;  // 0 when cleared
inline constexpr int kSetting66 = 66;  // 1
inline constexpr int kSetting71 = 71;  // 2
inline constexpr int kSetting82 = 82;  // 4
inline constexpr int kSetting88 = 88;  // true
inline constexpr int kSetting111 = 111;  // 7
inline constexpr int kColumnWidthLimit = 174;  // width of 57 "X" in the control's font
inline constexpr int kSetting190 = 190;  // 1
inline constexpr int kBackgroundPicture = 201;  // the control's Background
inline constexpr int kBackgroundPictureMode = 202;  // 10
}  // namespace grid_setting

}  // namespace linkwatch
