#pragma once
// Colours: red in the lowest byte, then green, then blue; the top byte is 0
// for plain colours.

#include <cstdint>

namespace lk63 {

using TColor = std::int32_t;

inline constexpr TColor clBlack = 0;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;  // no colour: nothing is drawn

}  // namespace lk63
