// Qt events of the grid: keys, mouse, wheel, focus, hints and resizing. Each
// handler runs its work guarded, so that no exception crosses the event loop.
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "controls/custom_grid_edit.h"
#include "controls/custom_grid_view.h"
#include "controls/event_guard.h"
#include "controls/typed_char.h"

namespace lk63 {

bool TCustomGridView::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        // Tab is the grid's own only with mkTabs; otherwise it moves to the next control.
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && moveKeys_.Contains(TMoveKey::mkTabs) &&
            !(k->modifiers() & Qt::AltModifier)) {
            keyPressEvent(k);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

bool TCustomGridView::viewportEvent(QEvent* e) {
    switch (e->type()) {
    case QEvent::ToolTip:
        if (showCellTips_) {
            Guarded([&] { ShowTipAt(static_cast<QHelpEvent*>(e)->pos()); });
            return true;
        }
        break;
    case QEvent::Leave:
        // A tip appearing under the pointer may make the window system report
        // a leave; only a pointer outside the tip's area ends the tip.
        Guarded([&] { HideTipIfLeft(viewport()->mapFromGlobal(QCursor::pos())); });
        break;
    default: break;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

void TCustomGridView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    Guarded([&] { ResizeChange(); });
}

void TCustomGridView::keyPressEvent(QKeyEvent* e) {
    Guarded([&] {
        const QPointer<TCustomGridView> self(this);
        KeyDown(e->key(), e->modifiers() & ~Qt::KeypadModifier);
        if (!self) return;
        const QChar ch = TypedChar(*e);
        if (ch.isNull()) return;
        if (KeyPress(ch) || !self) return;
        // A character typed on the grid starts editing and goes on to the editor.
        if ((ch == QLatin1Char('\b') || IsPrintable(ch)) && allowEdit_) {
            SetEditorActive(true);
            if (self && editorActive_ && editor_) {
                QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(),
                               static_cast<quint16>(e->count()));
                QApplication::sendEvent(editor_, &copy);
            }
        }
    });
}

void TCustomGridView::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    Guarded([&] {
        if (rows_.Count() == 0) return;
        InvalidateRect(FocusArea());
        if (!(editor_ && editor_->Defocusing())) ShowFocusMark();
    });
}

void TCustomGridView::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    Guarded([&] {
        QWidget* next = QApplication::focusWidget();
        if (rows_.Count() > 0) {
            InvalidateRect(FocusArea());
            if (editor_ && next != editor_) HideFocusMark();
        }
        if (next && next != this && !isAncestorOf(next)) ExitControl();
    });
}

namespace {

qint64 NowMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed() + 1;  // never 0, which means "no press"
}

}  // namespace

void TCustomGridView::mousePressEvent(QMouseEvent* e) {
    Guarded([&] { HandleMousePress(e); });
}

void TCustomGridView::mouseDoubleClickEvent(QMouseEvent* e) {
    Guarded([&] {
        HandleMousePress(e);
        if (e->button() == Qt::LeftButton) DblClick();
    });
}

void TCustomGridView::HandleMousePress(QMouseEvent* e) {
    const QPointer<TCustomGridView> self(this);
    mouseDropped_ = false;
    if (editor_) editor_->SetClickTime(NowMs());
    CancelCellTip();
    if (!TakeFocus()) {
        mouseDropped_ = true;
        return;
    }
    if (!self) return;
    const bool left = e->button() == Qt::LeftButton;
    const bool right = e->button() == Qt::RightButton && rightClickFocus_;
    const QPoint pos = e->position().toPoint();
    if (!(left || right) || !GridArea().contains(pos) || !moveKeys_.Contains(TMoveKey::mkMouse)) return;
    const TGridCell previous = clickCell_;
    clickCell_ = NoCell;
    const TGridCell cell = HitTestCell(pos);
    if (cell.Empty()) {
        SetEditorActive(false);
        MoveFocus(focusedCell_, false, false);
        return;
    }
    MoveFocus(cell, true, true);
    if (!self) return;
    if (OnCellClick) OnCellClick(*this, cell, e->modifiers(), pos.x(), pos.y());
    if (!self) return;
    const bool doubleClick = e->type() == QEvent::MouseButtonDblClick;
    if (left && focusedCell_ == cell && allowEdit_ && (doubleClick || cell == previous)) {
        SetEditorActive(true);
        if (!self || editorActive_) return;
    }
    clickCell_ = cell;
}

void TCustomGridView::mouseMoveEvent(QMouseEvent* e) {
    Guarded([&] { HandleMouseMove(e); });
}

void TCustomGridView::HandleMouseMove(QMouseEvent* e) {
    const QPoint pos = e->position().toPoint();
    HideTipIfLeft(pos);
    if (mouseDropped_) return;
    const bool dragging = (e->buttons() & Qt::LeftButton) || ((e->buttons() & Qt::RightButton) && rightClickFocus_);
    if (!dragging || !moveKeys_.Contains(TMoveKey::mkMouseDrag)) return;
    const TGridCell cell = HitTestCell(pos);
    if (cell.Empty() || cell == focusedCell_) return;
    MoveFocus(cell, true, true);
    if (focusedCell_ == cell && alwaysEdit_) SetEditorActive(true);
}

void TCustomGridView::mouseReleaseEvent(QMouseEvent* /*e*/) { mouseDropped_ = false; }

void TCustomGridView::wheelEvent(QWheelEvent* e) {
    Guarded([&] {
        CancelCellTip();
        wheelRemainder_ += e->angleDelta().y();
        const int steps = wheelRemainder_ / 120;
        wheelRemainder_ -= steps * 120;
        WheelTurned(steps, e->modifiers(), e->position().toPoint());
    });
    e->accept();
}

void TCustomGridView::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    Guarded([&] {
        switch (e->type()) {
        case QEvent::EnabledChange:
        case QEvent::PaletteChange: Invalidate(); break;
        case QEvent::FontChange:
            if (parentFont_) {
                font_.Font = font();
                Invalidate();
            }
            break;
        default: break;
        }
    });
}

void TCustomGridView::showEvent(QShowEvent* e) {
    QAbstractScrollArea::showEvent(e);
    Guarded([&] { ResizeChange(); });
}

}  // namespace lk63
