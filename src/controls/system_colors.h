#pragma once
// Colours of the controls: fixed RGB values or named system colours that are
// resolved through the widget's palette when they are painted. The report's
// colours are plain numbers of their own (TrpColor, report/color.h); the
// two never mix, and a file may include both.

#include <QColor>
#include <QPalette>

namespace lk63 {

enum class TSysColor {
    clWindow, clWindowText, clBtnFace, clBtnText, clBtnShadow, clBtnHighlight,
    cl3DDkShadow, cl3DLight, clHighlight, clHighlightText, clGrayText, clInfoBk, clInfoText
};

// The palette group and role a system colour stands for.
struct TPaletteSlot {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};
TPaletteSlot PaletteSlotOf(TSysColor color);

// Resolves against `palette`, or the application's palette when none is given.
QColor SystemColor(TSysColor color);
QColor SystemColor(TSysColor color, const QPalette& palette);

class TControlColor {
public:
    constexpr TControlColor(TSysColor system) : system_(true), sys_(system) {}
    static constexpr TControlColor Rgb(int r, int g, int b) { return TControlColor(qRgb(r, g, b)); }

    [[nodiscard]] constexpr bool IsSystem() const { return system_; }
    [[nodiscard]] QColor Resolve(const QPalette& palette) const {
        return system_ ? SystemColor(sys_, palette) : QColor(rgb_);
    }
    friend constexpr bool operator==(const TControlColor& a, const TControlColor& b) {
        return a.system_ == b.system_ && (a.system_ ? a.sys_ == b.sys_ : a.rgb_ == b.rgb_);
    }

private:
    constexpr explicit TControlColor(QRgb rgb) : rgb_(rgb) {}
    bool system_ = false;
    TSysColor sys_ = TSysColor::clWindow;
    QRgb rgb_ = 0;
};

inline constexpr TControlColor clWindow{TSysColor::clWindow};
inline constexpr TControlColor clWindowText{TSysColor::clWindowText};
inline constexpr TControlColor clBtnFace{TSysColor::clBtnFace};
inline constexpr TControlColor clBtnText{TSysColor::clBtnText};
inline constexpr TControlColor clBtnShadow{TSysColor::clBtnShadow};
inline constexpr TControlColor clBtnHighlight{TSysColor::clBtnHighlight};
inline constexpr TControlColor cl3DDkShadow{TSysColor::cl3DDkShadow};
inline constexpr TControlColor cl3DLight{TSysColor::cl3DLight};
inline constexpr TControlColor clHighlight{TSysColor::clHighlight};
inline constexpr TControlColor clHighlightText{TSysColor::clHighlightText};
inline constexpr TControlColor clGrayText{TSysColor::clGrayText};
inline constexpr TControlColor clInfoBk{TSysColor::clInfoBk};
inline constexpr TControlColor clInfoText{TSysColor::clInfoText};

// clBlack and clWhite name the report's colours; a control that wants them
// says TControlColor::Rgb.
inline constexpr TControlColor clSilver = TControlColor::Rgb(192, 192, 192);
inline constexpr TControlColor clNavy = TControlColor::Rgb(0, 0, 128);
inline constexpr TControlColor clPurple = TControlColor::Rgb(128, 0, 128);

}  // namespace lk63
