#pragma once
// Border lines of a view. Width, Color and Style of the frame apply to all
// four lines at once; a line may then be changed on its own.

#include <cstdint>

#include "report/color.h"

namespace lk63 {

// Bits of Frame.Typ.
enum class TrpFrameSide : std::uint8_t { ftLeft = 1, ftRight = 2, ftTop = 4, ftBottom = 8 };
inline constexpr std::uint8_t kAllFrameSides = 15;

enum class TrpFrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot, fsDouble, fsAltDot, fsSquare };

struct TrpFrameLine {
    TrpColor Color = clBlack;
    TrpFrameStyle Style = TrpFrameStyle::fsSolid;
    double Width = 1;
    friend bool operator==(const TrpFrameLine&, const TrpFrameLine&) = default;
};

class TrpFrame {
public:
    [[nodiscard]] std::uint8_t Typ() const { return typ_; }
    void SetTyp(std::uint8_t bits) { typ_ = bits & kAllFrameSides; }
    [[nodiscard]] bool Has(TrpFrameSide side) const { return (typ_ & static_cast<std::uint8_t>(side)) != 0; }

    [[nodiscard]] double Width() const { return width_; }
    void SetWidth(double width);
    [[nodiscard]] TrpColor Color() const { return color_; }
    void SetColor(TrpColor color);
    [[nodiscard]] TrpFrameStyle Style() const { return style_; }
    void SetStyle(TrpFrameStyle style);

    bool DropShadow = false;
    double ShadowWidth = 4;
    TrpColor ShadowColor = clBlack;
    TrpFrameLine LeftLine, TopLine, RightLine, BottomLine;

    friend bool operator==(const TrpFrame&, const TrpFrame&) = default;

private:
    std::uint8_t typ_ = 0;
    double width_ = 1;
    TrpColor color_ = clBlack;
    TrpFrameStyle style_ = TrpFrameStyle::fsSolid;
};

}  // namespace lk63
