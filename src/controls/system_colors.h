#pragma once
// Colours of the controls: fixed RGB values or named system colours that are
// resolved through the widget's palette when they are painted.

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

class TColor {
public:
    constexpr TColor(TSysColor system) : system_(true), sys_(system) {}
    static constexpr TColor Rgb(int r, int g, int b) { return TColor(qRgb(r, g, b)); }

    [[nodiscard]] constexpr bool IsSystem() const { return system_; }
    [[nodiscard]] QColor Resolve(const QPalette& palette) const {
        return system_ ? SystemColor(sys_, palette) : QColor(rgb_);
    }
    friend constexpr bool operator==(const TColor& a, const TColor& b) {
        return a.system_ == b.system_ && (a.system_ ? a.sys_ == b.sys_ : a.rgb_ == b.rgb_);
    }

private:
    constexpr explicit TColor(QRgb rgb) : rgb_(rgb) {}
    bool system_ = false;
    TSysColor sys_ = TSysColor::clWindow;
    QRgb rgb_ = 0;
};

inline constexpr TColor clWindow{TSysColor::clWindow};
inline constexpr TColor clWindowText{TSysColor::clWindowText};
inline constexpr TColor clBtnFace{TSysColor::clBtnFace};
inline constexpr TColor clBtnText{TSysColor::clBtnText};
inline constexpr TColor clBtnShadow{TSysColor::clBtnShadow};
inline constexpr TColor clBtnHighlight{TSysColor::clBtnHighlight};
inline constexpr TColor cl3DDkShadow{TSysColor::cl3DDkShadow};
inline constexpr TColor cl3DLight{TSysColor::cl3DLight};
inline constexpr TColor clHighlight{TSysColor::clHighlight};
inline constexpr TColor clHighlightText{TSysColor::clHighlightText};
inline constexpr TColor clGrayText{TSysColor::clGrayText};
inline constexpr TColor clInfoBk{TSysColor::clInfoBk};
inline constexpr TColor clInfoText{TSysColor::clInfoText};

inline constexpr TColor clBlack = TColor::Rgb(0, 0, 0);
inline constexpr TColor clWhite = TColor::Rgb(255, 255, 255);
inline constexpr TColor clSilver = TColor::Rgb(192, 192, 192);
inline constexpr TColor clNavy = TColor::Rgb(0, 0, 128);
inline constexpr TColor clPurple = TColor::Rgb(128, 0, 128);

}  // namespace lk63
