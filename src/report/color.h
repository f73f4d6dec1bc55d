#pragma once
// Colours of the report and its PDF (TrpColor; the controls have their own,
// TControlColor): red in the lowest byte, then green, then blue; the top
// byte is 0 for plain colours.

#include <cstdint>

namespace lk63 {

using TrpColor = std::int32_t;

inline constexpr TrpColor clBlack = 0;
inline constexpr TrpColor clGray = 0x808080;
inline constexpr TrpColor clWhite = 0xFFFFFF;
inline constexpr TrpColor clNone = 0x1FFFFFFF;  // no colour: nothing is drawn

}  // namespace lk63
