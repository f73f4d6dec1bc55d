#pragma once
// Colours as PDF colour operands ("r g b", each 0 to 1).

#include <cstdint>
#include <string>

#include "report/color.h"

namespace lk63 {

struct TrpRgb {
    std::uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(const TrpRgb&, const TrpRgb&) = default;
};

// Plain colours give their bytes. A system colour (top bit set, its index in
// the low byte) resolves through a fixed table of the standard desktop scheme:
// a PDF must not depend on the desktop theme of the machine that wrote it.
// An index outside the table gives black.
TrpRgb ResolveColor(TrpColor color);

// The operand text of a colour, remembering the last colour it converted for
// the whole export run; repeated colours (every black frame) cost nothing.
class TrpColorOperand {
public:
    // Black gives "0 0 0", white "1 1 1", any other colour FormatNumber(byte / 255)
    // for red, green and blue. The reference stays valid until the next call.
    const std::string& operator()(TrpColor color);

private:
    TrpColor last_ = clBlack;
    std::string text_ = "0 0 0";
};

}  // namespace lk63
