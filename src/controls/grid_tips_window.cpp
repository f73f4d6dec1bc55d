#include "controls/grid_tips_window.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "controls/custom_grid_view.h"
#include "controls/event_guard.h"

namespace lk63 {

TGridTipsWindow::TGridTipsWindow(TCustomGridView& grid)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      grid_(grid) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
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

QWidget* TGridTipsWindow::WidgetBeneath(const QPoint& global) const {
    QWidget* target = QApplication::widgetAt(global);
    return target && target->window() != this ? target : nullptr;
}

void TGridTipsWindow::PassOn(QMouseEvent* e) {
    Guarded([&] {
        const QPoint global = e->globalPosition().toPoint();
        if (isVisible()) grid_.CancelCellTip();
        QWidget* target = WidgetBeneath(global);
        if (!target) return;
        QMouseEvent copy(e->type(), QPointF(target->mapFromGlobal(global)),
                         QPointF(target->window()->mapFromGlobal(global)), QPointF(global), e->button(), e->buttons(),
                         e->modifiers(), e->pointingDevice());
        QApplication::sendEvent(target, &copy);
    });
}

void TGridTipsWindow::mousePressEvent(QMouseEvent* e) { PassOn(e); }

void TGridTipsWindow::mouseDoubleClickEvent(QMouseEvent* e) { PassOn(e); }

void TGridTipsWindow::mouseReleaseEvent(QMouseEvent* e) { PassOn(e); }

void TGridTipsWindow::mouseMoveEvent(QMouseEvent* e) {
    Guarded([&] { grid_.HideTipIfLeft(grid_.viewport()->mapFromGlobal(e->globalPosition().toPoint())); });
}

void TGridTipsWindow::wheelEvent(QWheelEvent* e) {
    Guarded([&] {
        const QPoint global = e->globalPosition().toPoint();
        if (isVisible()) grid_.CancelCellTip();
        QWidget* target = WidgetBeneath(global);
        if (!target) return;
        QWheelEvent copy(QPointF(target->mapFromGlobal(global)), QPointF(global), e->pixelDelta(), e->angleDelta(),
                         e->buttons(), e->modifiers(), e->phase(), e->inverted());
        QApplication::sendEvent(target, &copy);
    });
    e->accept();
}

void TGridTipsWindow::leaveEvent(QEvent* /*e*/) {
    Guarded([&] { grid_.HideTipIfLeft(grid_.viewport()->mapFromGlobal(QCursor::pos())); });
}

}  // namespace lk63
