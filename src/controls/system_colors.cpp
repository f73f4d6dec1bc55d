#include "controls/system_colors.h"

#include <QApplication>

namespace lk63 {

TPaletteSlot PaletteSlotOf(TSysColor color) {
    using G = QPalette::ColorGroup;
    using R = QPalette::ColorRole;
    switch (color) {
    case TSysColor::clWindow: return {G::Active, R::Base};
    case TSysColor::clWindowText: return {G::Active, R::Text};
    case TSysColor::clBtnFace: return {G::Active, R::Button};
    case TSysColor::clBtnText: return {G::Active, R::ButtonText};
    case TSysColor::clBtnShadow: return {G::Active, R::Dark};
    case TSysColor::clBtnHighlight: return {G::Active, R::Light};
    case TSysColor::cl3DDkShadow: return {G::Active, R::Shadow};
    case TSysColor::cl3DLight: return {G::Active, R::Midlight};
    case TSysColor::clHighlight: return {G::Active, R::Highlight};
    case TSysColor::clHighlightText: return {G::Active, R::HighlightedText};
    case TSysColor::clGrayText: return {G::Disabled, R::Text};
    case TSysColor::clInfoBk: return {G::Active, R::ToolTipBase};
    case TSysColor::clInfoText: return {G::Active, R::ToolTipText};
    }
    return {G::Active, R::Base};
}

QColor SystemColor(TSysColor color, const QPalette& palette) {
    const TPaletteSlot slot = PaletteSlotOf(color);
    return palette.color(slot.Group, slot.Role);
}

QColor SystemColor(TSysColor color) { return SystemColor(color, QApplication::palette()); }

}  // namespace lk63
