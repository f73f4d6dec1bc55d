// The focused cell: which cells can take it, how it moves, and the focus mark.
#include <algorithm>

#include <QApplication>

#include "controls/custom_grid_edit.h"
#include "controls/custom_grid_view.h"

namespace lk63 {

bool TCustomGridView::CanFocusCell(const TGridCell& cell) const {
    if (!IsCellValid(cell)) return false;
    const TGridColumn& c = columns_[cell.Col];
    return c.Visible() && c.Width() > 0 && c.TabStop();
}

TGridCell TCustomGridView::FindFocusTarget(TGridCell cell, TFocusDirection direction) const {
    const int lastCol = columns_.Count() - 1;
    const int lastRow = rows_.Count() - 1;
    auto ok = [this](int col, int row) { return CanFocusCell({col, row}); };
    using D = TFocusDirection;
    switch (direction) {
    case D::fdLeft:
        for (int c = std::max(cell.Col - 1, 0); c >= 0; --c)
            if (ok(c, cell.Row)) return {c, cell.Row};
        return cell;
    case D::fdRight:
        for (int c = std::min(cell.Col + 1, lastCol); c <= lastCol; ++c)
            if (ok(c, cell.Row)) return {c, cell.Row};
        return cell;
    case D::fdUp:
        for (int r = std::max(cell.Row - 1, 0); r >= 0; --r)
            if (ok(cell.Col, r)) return {cell.Col, r};
        return cell;
    case D::fdDown:
        for (int r = std::min(cell.Row + 1, lastRow); r <= lastRow; ++r)
            if (ok(cell.Col, r)) return {cell.Col, r};
        return cell;
    case D::fdPageUp:
        for (int r = std::max(cell.Row - (visibleCount_.Rows - 1), 0); r >= 0; --r)
            if (ok(cell.Col, r)) return {cell.Col, r};
        return cell;
    case D::fdPageDown:
        for (int r = std::min(cell.Row + visibleCount_.Rows - 1, lastRow); r <= lastRow; ++r)
            if (ok(cell.Col, r)) return {cell.Col, r};
        return cell;
    case D::fdRowStart:
        for (int c = 0; c <= lastCol; ++c)
            if (ok(c, cell.Row)) return {c, cell.Row};
        return cell;
    case D::fdRowEnd:
        for (int c = lastCol; c >= 0; --c)
            if (ok(c, cell.Row)) return {c, cell.Row};
        return cell;
    case D::fdGridStart:
        for (int c = 0; c <= std::min(cell.Col, lastCol); ++c)
            for (int r = 0; r <= std::min(cell.Row, lastRow); ++r)
                if (ok(c, r)) return {c, r};
        return cell;
    case D::fdGridEnd:
        for (int c = lastCol; c >= cell.Col && c >= 0; --c)
            for (int r = lastRow; r >= cell.Row && r >= 0; --r)
                if (ok(c, r)) return {c, r};
        return cell;
    case D::fdNearest: {
        if (ok(cell.Col, cell.Row)) return cell;
        const TGridCell f = focusedCell_;
        if (cell.Col < f.Col) {
            for (int c = cell.Col; c <= f.Col; ++c)
                if (ok(c, cell.Row)) return {c, cell.Row};
        } else if (cell.Col > f.Col) {
            for (int c = std::min(cell.Col, lastCol); c >= f.Col; --c)
                if (ok(c, cell.Row)) return {c, cell.Row};
        }
        if (cell.Row < f.Row) {
            for (int r = cell.Row; r <= f.Row; ++r)
                if (ok(cell.Col, r)) return {cell.Col, r};
        } else if (cell.Row > f.Row) {
            for (int r = std::min(cell.Row, lastRow); r >= f.Row; --r)
                if (ok(cell.Col, r)) return {cell.Col, r};
        }
        return f;
    }
    case D::fdFirst:
        for (int r = 0; r <= lastRow; ++r)
            for (int c = 0; c <= lastCol; ++c)
                if (ok(c, r)) return {c, r};
        return focusedCell_;
    case D::fdNext:
        for (int c = cell.Col + 1; c <= lastCol; ++c)
            if (ok(c, cell.Row)) return {c, cell.Row};
        for (int r = std::max(cell.Row + 1, 0); r <= lastRow; ++r)
            for (int c = 0; c <= lastCol; ++c)
                if (ok(c, r)) return {c, r};
        return focusedCell_;
    case D::fdPrev:
        for (int c = std::min(cell.Col - 1, lastCol); c >= 0; --c)
            if (ok(c, cell.Row)) return {c, cell.Row};
        for (int r = std::min(cell.Row - 1, lastRow); r >= 0; --r)
            for (int c = lastCol; c >= 0; --c)
                if (ok(c, r)) return {c, r};
        return focusedCell_;
    }
    return focusedCell_;
}

namespace {

TGridCell ClampCell(TGridCell cell, int cols, int rows) {
    cell.Col = std::max(std::min(cell.Col, cols - 1), 0);
    cell.Row = std::max(std::min(cell.Row, rows - 1), 0);
    return cell;
}

}  // namespace

void TCustomGridView::MoveFocus(TGridCell cell, bool select, bool scrollIntoView) {
    const bool any = columns_.Count() > 0 && rows_.Count() > 0;
    select = (select || alwaysSelected_) && any;
    cell = FindFocusTarget(ClampCell(cell, columns_.Count(), rows_.Count()), TFocusDirection::fdNearest);
    if (cell == focusedCell_ && select == focusSelected_) {
        if (scrollIntoView) ScrollCellIntoView(focusedCell_, false);
        return;
    }
    if (OnChanging) OnChanging(*this, cell, select);
    if (cell != focusedCell_) {
        CancelCellTip();
        SetEditorActive(false);
        HideFocusMark();
        focusedCell_ = cell;
        focusSelected_ = select;
        if (scrollIntoView) ScrollCellIntoView(focusedCell_, false);
        ShowFocusMark();
    } else if (editorActive_) {
        ShowEditor();
    } else {
        HideFocusMark();
        focusSelected_ = select;
        if (scrollIntoView) ScrollCellIntoView(focusedCell_, false);
        ShowFocusMark();
    }
    if (OnChange) OnChange(*this, focusedCell_, focusSelected_);
}

void TCustomGridView::EnsureFocusedCell() {
    if (CanFocusCell(focusedCell_)) {
        MoveFocus(focusedCell_, focusSelected_, false);
        return;
    }
    const TGridCell clamped = ClampCell(focusedCell_, columns_.Count(), rows_.Count());
    TGridCell target = FindFocusTarget(clamped, TFocusDirection::fdNearest);
    if (target == focusedCell_) target = FindFocusTarget(focusedCell_, TFocusDirection::fdFirst);
    MoveFocus(target, focusSelected_, true);
}

bool TCustomGridView::TakeFocus() {
    if (!isVisible() || !isEnabled() || focusPolicy() == Qt::NoFocus) return true;
    if (FocusInside()) {
        if (!hasFocus()) setFocus(Qt::MouseFocusReason);
    } else {
        setFocus(Qt::MouseFocusReason);
        if (alwaysEdit_ && editor_) ShowEditor();
    }
    // An inactive window gets its focus when it is activated; the press that
    // activates it still counts.
    return FocusInside() || !isActiveWindow();
}

void TCustomGridView::HideFocusMark() {
    if (FocusHighlightAllowed()) InvalidateRect(FocusArea());
    else HideEditor();
}

void TCustomGridView::ShowFocusMark() {
    if (FocusHighlightAllowed()) {
        InvalidateRect(FocusArea());
    } else {
        ShowEditor();
        // Where no editor can stand (a category row) the mark is only repainted.
        if (!editorActive_) InvalidateRect(FocusArea());
    }
}

void TCustomGridView::KeyDown(int key, Qt::KeyboardModifiers modifiers) {
    if (OnKeyDown) OnKeyDown(*this, key, modifiers);
    if (key == 0) return;
    GridKeyDown(key, modifiers);
}

void TCustomGridView::GridKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    using D = TFocusDirection;
    const bool arrows = moveKeys_.Contains(TMoveKey::mkArrows);
    const bool ctrl = modifiers & Qt::ControlModifier;
    D direction{};
    switch (key) {
    case Qt::Key_PageUp: if (!arrows) return; direction = D::fdPageUp; break;
    case Qt::Key_PageDown: if (!arrows) return; direction = D::fdPageDown; break;
    case Qt::Key_Home: if (!arrows) return; direction = ctrl ? D::fdGridStart : D::fdRowStart; break;
    case Qt::Key_End: if (!arrows) return; direction = ctrl ? D::fdGridEnd : D::fdRowEnd; break;
    case Qt::Key_Left: if (!arrows) return; direction = D::fdLeft; break;
    case Qt::Key_Right: if (!arrows) return; direction = D::fdRight; break;
    case Qt::Key_Up: if (!arrows) return; direction = D::fdUp; break;
    case Qt::Key_Down: if (!arrows) return; direction = D::fdDown; break;
    case Qt::Key_Tab:
        if (!moveKeys_.Contains(TMoveKey::mkTabs)) return;
        direction = (modifiers & Qt::ShiftModifier) ? D::fdPrev : D::fdNext;
        break;
    case Qt::Key_Backtab:
        if (!moveKeys_.Contains(TMoveKey::mkTabs)) return;
        direction = D::fdPrev;
        break;
    default: return;
    }
    MoveFocus(FindFocusTarget(focusedCell_, direction), true, true);
}

bool TCustomGridView::KeyPress(QChar key) {
    if (OnKeyPress) OnKeyPress(*this, key);
    if (key.isNull()) return true;
    if (key == QLatin1Char('\r')) {
        if (editorActive_) {
            CommitEditor();
            if (moveKeys_.Contains(TMoveKey::mkReturn))
                MoveFocus(FindFocusTarget(focusedCell_, TFocusDirection::fdNext), true, true);
        } else if (!alwaysEdit_) {
            ScrollCellIntoView(focusedCell_, false);
            SetEditorActive(true);
        }
        return true;
    }
    if (key == QChar(0x1B)) {
        if (editorActive_) {
            if (alwaysEdit_) UndoEditor();
            else CancelEditor();
        }
        return true;
    }
    return false;
}

void TCustomGridView::ExitControl() {
    clickCell_ = NoCell;
    if (cancelOnExit_) SetEditorActive(false);
}

void TCustomGridView::WheelTurned(int steps, Qt::KeyboardModifiers modifiers, const QPoint& pos) {
    for (; steps != 0; steps += steps > 0 ? -1 : 1) {
        const bool down = steps < 0;
        bool handled = false;
        if (down && OnMouseWheelDown) OnMouseWheelDown(*this, modifiers, pos, handled);
        if (!down && OnMouseWheelUp) OnMouseWheelUp(*this, modifiers, pos, handled);
        if (handled || !moveKeys_.Contains(TMoveKey::mkMouseWheel)) continue;
        MoveFocus(FindFocusTarget(focusedCell_, down ? TFocusDirection::fdDown : TFocusDirection::fdUp), true,
                  true);
    }
}

void TCustomGridView::DblClick() {
    if (OnDblClick) OnDblClick(*this);
}

}  // namespace lk63
