#pragma once
#include <cstdint>

namespace linkwatch {

// The colours the table paints cells with, as 0x00BBGGRR values.
namespace table_color {
inline constexpr int64_t kBlack = 0x000000;
// A counter still collecting its first sample, and the cells of a child that has
// gone quiet.
inline constexpr int64_t kGrey = 0x808080;  // 128, 128, 128
// A value the device lets the user change: blue text on light grey.
inline constexpr int64_t kWritableText = 0xFF0000;        // 0, 0, 255
inline constexpr int64_t kWritableBackground = 0xF0F0F0;  // 240, 240, 240
// The disassociation time of a child that has gone quiet.
inline constexpr int64_t kStaleAlert = 0x4040FF;  // 255, 64, 64
}  // namespace table_color

// Where a cell's picture or check box sits in its cell.
inline constexpr int64_t kCellPicturePlacement = 4;

}  // namespace linkwatch
