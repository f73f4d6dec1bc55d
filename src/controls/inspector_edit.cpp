#include "controls/inspector_edit.h"

#include "controls/system_colors.h"

namespace lk63 {

void TInspectorEdit::ApplyColors() {
    TGridEdit::ApplyColors();
    QPalette p = palette();
    p.setColor(QPalette::Base, SystemColor(TSysColor::clWindow, p));
    p.setColor(QPalette::Text, SystemColor(TSysColor::clBtnText, p));
    setPalette(p);
}

void TInspectorEdit::UpdateBounds() {
    TGridEdit::UpdateBounds();
    SetButtonWidth(height());
}

}  // namespace lk63
