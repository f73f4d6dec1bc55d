#pragma once
// A font as the controls use it: the typeface and its colour, which travel together.

#include <QFont>

#include "controls/system_colors.h"

namespace lk63 {

struct TFont {
    QFont Font;
    TControlColor Color = clWindowText;

    friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace lk63
