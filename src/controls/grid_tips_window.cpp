#include "controls/grid_tips_window.h"

#include <QPainter>

#include "controls/custom_grid_view.h"
#include "controls/event_guard.h"

namespace lk63 {

TGridTipsWindow::TGridTipsWindow(TCustomGridView& grid)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      grid_(grid) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
}

void TGridTipsWindow::ShowTip(const QRect& screenRect) {
    setGeometry(screenRect);
    show();
    update();
}

void TGridTipsWindow::paintEvent(QPaintEvent* /*e*/) {
    Guarded([&] {
        QPainter painter(this);
        const QRect outer = rect();
        painter.fillRect(outer, SystemColor(TSysColor::clInfoBk, palette()));
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outer.adjusted(0, 0, -1, -1));

        const TGridCell cell = grid_.TipCell();
        const TCellCanvas canvas = grid_.PrepareCanvas(cell);
        painter.setFont(canvas.Font);
        painter.setPen(SystemColor(TSysColor::clInfoText, palette()));
        const QPoint indent = grid_.CellTextIndent(cell);
        // The client area lies inside the frame, so the text lands on the cell's text.
        lk63::PaintCellText(painter, outer.adjusted(1, 1, -1, -1), grid_.TipText(), grid_.TextFormat(cell, indent));
    });
}

}  // namespace lk63
