// Painting of the in-cell editor: its background, the text field and the
// button with its glyph.
#include <QPaintEvent>
#include <QPainter>

#include "controls/custom_grid_edit.h"
#include "controls/event_guard.h"
#include "controls/system_colors.h"

namespace lk63 {

void TCustomGridEdit::paintEvent(QPaintEvent* e) {
    {
        // A frameless field leaves its background to its parent; the grid does
        // not paint under the editor, so the editor fills it.
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Base));
    }
    QLineEdit::paintEvent(e);
    Guarded([&] {
        QPainter painter(this);
        PaintButton(painter);
    });
}

void TCustomGridEdit::PaintButton(QPainter& painter) const {
    const QRect r = ButtonRect();
    if (r.isEmpty() || editStyle_ == TGridEditStyle::geUserDefine) return;
    const QPalette& pal = palette();
    const QColor face = SystemColor(TSysColor::clBtnFace, pal);
    const QColor light = SystemColor(TSysColor::clBtnHighlight, pal);
    const QColor shadow = SystemColor(TSysColor::clBtnShadow, pal);
    const QColor dark = SystemColor(TSysColor::cl3DDkShadow, pal);
    painter.fillRect(r, face);
    const int x1 = r.left();
    const int y1 = r.top();
    const int x2 = r.left() + r.width() - 1;
    const int y2 = r.top() + r.height() - 1;
    if (buttonPressed_) {
        // Flat: one shadow line around the face.
        painter.setPen(shadow);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
    } else {
        // Raised: light top and left, dark bottom and right, two lines deep.
        painter.setPen(light);
        painter.drawLine(x1, y1, x2 - 1, y1);
        painter.drawLine(x1, y1, x1, y2 - 1);
        painter.setPen(dark);
        painter.drawLine(x1, y2, x2, y2);
        painter.drawLine(x2, y1, x2, y2);
        painter.setPen(shadow);
        painter.drawLine(x1 + 1, y2 - 1, x2 - 1, y2 - 1);
        painter.drawLine(x2 - 1, y1 + 1, x2 - 1, y2 - 1);
    }
    const int shift = buttonPressed_ ? 1 : 0;
    if (editStyle_ == TGridEditStyle::gePickList || editStyle_ == TGridEditStyle::geDataList) {
        // Rows of 7, 5, 3 and 1 pixels; the tip on the middle (one pixel left of
        // it for an even width); the top row (ButtonWidth div 2) - 2 below the top.
        const int middle = x1 + (buttonWidth_ - 1) / 2 + shift;
        const int top = y1 + buttonWidth_ / 2 - 2 + shift;
        for (int row = 0; row < 4; ++row) {
            const int half = 3 - row;
            painter.fillRect(QRect(middle - half, top + row, 2 * half + 1, 1), Qt::black);
        }
    } else if (editStyle_ == TGridEditStyle::geEllipsis) {
        // Three 2 x 2 dots, 3 pixels apart, centred.
        constexpr int dot = 2;
        constexpr int gap = 3;
        constexpr int total = 3 * dot + 2 * gap;
        const int left = x1 + (r.width() - total) / 2 + shift;
        const int top = y1 + (r.height() - dot) / 2 + shift;
        for (int i = 0; i < 3; ++i) painter.fillRect(QRect(left + i * (dot + gap), top, dot, dot), Qt::black);
    }
}

}  // namespace lk63
