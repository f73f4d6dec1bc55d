// Cell tips: the whole text of a cell whose text does not fit, shown over it.
#include <QApplication>
#include <QScreen>

#include "controls/custom_grid_view.h"
#include "controls/grid_tips_window.h"

namespace lk63 {

void TCustomGridView::CancelCellTip() {
    tipCell_ = NoCell;
    if (tips_ && tips_->isVisible()) tips_->hide();
}

bool TCustomGridView::ShowTipAt(const QPoint& pos) {
    if (!showCellTips_) return false;
    CancelCellTip();
    if (!GridArea().contains(pos)) return true;
    const TGridCell cell = CellAtPoint(pos.x(), pos.y());
    if (cell.Empty() || (cell == editorCell_ && editorActive_)) return true;
    tipCell_ = cell;

    const TCellCanvas canvas = PrepareCanvas(cell);
    const QFontMetrics metrics(canvas.Font);
    const QPoint indent = CellTextIndent(cell);
    const TCellTextFormat format = TextFormat(cell, indent);
    const QString text = CellText(cell);
    const QRect bounds = TipBounds(cell);
    const QRect needed = lk63::MeasureCellText(metrics, bounds, text, format);
    const QRect shown = bounds.intersected(ClientRect());
    const bool fits = needed.left() >= shown.left() && needed.left() + needed.width() <= shown.left() + shown.width() &&
                      needed.height() <= shown.height();
    if (fits) {
        tipCell_ = NoCell;
        return true;
    }

    tipText_ = text;
    QRect tip = lk63::MeasureCellText(metrics, bounds, tipText_, format);
    if (tip.height() > rows_.Height()) tip.setBottom(tip.bottom() + 2 * textIndentTop_);
    tip.adjust(-1, -1, 1, 1);
    QRect screenRect(viewport()->mapToGlobal(tip.topLeft()), tip.size());
    // Moved, never cut, to stay inside the work area.
    if (const QScreen* s = screen()) {
        const QRect work = s->availableGeometry();
        if (screenRect.right() > work.right()) screenRect.moveRight(work.right());
        if (screenRect.left() < work.left()) screenRect.moveLeft(work.left());
        if (screenRect.bottom() > work.bottom()) screenRect.moveBottom(work.bottom());
        if (screenRect.top() < work.top()) screenRect.moveTop(work.top());
    }

    QRect area = CellBounds(cell);
    const QRect g = GridArea();
    const QRect client = ClientRect();
    if (area.left() < g.left()) area.setLeft(g.left());
    if (area.right() > client.right()) area.setRight(client.right());
    tipArea_ = area.adjusted(-1, -1, 1, 1);

    tips_->ShowTip(screenRect);
    return true;
}

void TCustomGridView::HideTipIfLeft(const QPoint& pos) {
    if (tips_ && tips_->isVisible() && !tipArea_.contains(pos)) CancelCellTip();
}

}  // namespace lk63

namespace lk63 {

bool TCustomGridView::TipShowing() const { return tips_ && tips_->isVisible(); }

QRect TCustomGridView::TipGeometry() const { return TipShowing() ? tips_->geometry() : QRect(); }

}  // namespace lk63
