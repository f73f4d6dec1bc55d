#pragma once
// Background of a view or band. Only the brush fill exists in this system.

#include "report/color.h"

namespace lk63 {

enum class TrpFillType { ftBrush };

enum class TrpBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

class TrpCustomFill {
public:
    virtual ~TrpCustomFill() = default;
    friend bool operator==(const TrpCustomFill&, const TrpCustomFill&) { return true; }
};

class TrpBrushFill : public TrpCustomFill {
public:
    TrpColor BackColor = clNone;  // clNone: no background
    TrpColor ForeColor = clBlack;
    TrpBrushStyle Style = TrpBrushStyle::bsSolid;
    friend bool operator==(const TrpBrushFill&, const TrpBrushFill&) = default;
};

}  // namespace lk63
