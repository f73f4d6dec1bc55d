// Input of the in-cell editor: the key routing between the pick list, the
// grid and the text field, the refusal of modification, mouse and focus.
#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QWheelEvent>

#include "controls/beep.h"
#include "controls/custom_grid_edit.h"
#include "controls/custom_grid_view.h"
#include "controls/event_guard.h"
#include "controls/grid_list_box.h"
#include "controls/typed_char.h"

namespace lk63 {
namespace {

bool IsListStyle(TGridEditStyle s) { return s == TGridEditStyle::gePickList || s == TGridEditStyle::geDataList; }

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// Chords that change the text without typing a character.
bool ModifiesText(const QKeyEvent& e) {
    using K = QKeySequence;
    for (K::StandardKey k : {K::Paste, K::Cut, K::Delete, K::DeleteStartOfWord, K::DeleteEndOfWord,
                             K::DeleteEndOfLine, K::DeleteCompleteLine, K::Backspace}) {
        if (e.matches(k)) return true;
    }
    return false;
}

bool UndoesText(const QKeyEvent& e) { return e.matches(QKeySequence::Undo) || e.matches(QKeySequence::Redo); }

qint64 NowMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed() + 1;
}

}  // namespace

bool TCustomGridEdit::CanModify() { return grid_->EditorCanModify(grid_->EditorCell()); }

template <class F>
void TCustomGridEdit::PassToField(F&& handle, bool alreadyAllowed) {
    const QString before = text();
    const int cursor = cursorPosition();
    const int selStart = selectionStart();
    const int selLength = static_cast<int>(selectedText().size());
    inField_ = true;
    handle();
    inField_ = false;
    if (text() == before) return;
    if (!alreadyAllowed && !CanModify()) {
        // Refused after the fact: the text and its selection come back unchanged.
        const QSignalBlocker block(this);
        setText(before);
        if (selStart >= 0) setSelection(selStart, selLength);
        else setCursorPosition(cursor);
        return;
    }
    if (grid_->OnEditChange) grid_->OnEditChange(*grid_, grid_->EditorCell());
}

bool TCustomGridEdit::event(QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && !(k->modifiers() & Qt::AltModifier) &&
            grid_->MoveKeys().Contains(TMoveKey::mkTabs)) {
            keyPressEvent(k);
            return true;
        }
    }
    if (e->type() == QEvent::ShortcutOverride) {
        // Keys the editor routes itself must not become shortcuts of the window.
        auto* k = static_cast<QKeyEvent*>(e);
        if (listOpen_ || k->key() == Qt::Key_Escape || IsEnter(k->key())) {
            e->accept();
            return true;
        }
    }
    return QLineEdit::event(e);
}

void TCustomGridEdit::keyPressEvent(QKeyEvent* e) {
    Guarded([&] { HandleKey(e); });
}

void TCustomGridEdit::keyReleaseEvent(QKeyEvent* e) { QLineEdit::keyReleaseEvent(e); }

bool TCustomGridEdit::HandedToGrid(const QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    switch (e->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return !(mods & Qt::AltModifier) && grid_->MoveKeys().Contains(TMoveKey::mkTabs);
    case Qt::Key_Escape: return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: return ctrl;
    case Qt::Key_Up:
    case Qt::Key_Down: return (ctrl || mods == Qt::NoModifier) && !wantReturns_ && !wordWrap_;
    case Qt::Key_Insert: return mods == Qt::NoModifier || !CanModify();
    case Qt::Key_Delete: return !CanModify();
    default: return false;
    }
}

void TCustomGridEdit::HandleKey(QKeyEvent* e) {
    const QPointer<TCustomGridEdit> self(this);
    TCustomGridView* grid = grid_;
    const int key = e->key();
    const Qt::KeyboardModifiers mods = e->modifiers() & ~Qt::KeypadModifier;
    const bool alt = mods & Qt::AltModifier;
    const bool ctrl = mods & Qt::ControlModifier;

    if (IsListStyle(editStyle_)) {
        if (listOpen_ && (IsEnter(key) || key == Qt::Key_Escape) && !alt) {
            CloseList(IsEnter(key));
            return;
        }
        if (alt && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            if (listOpen_) CloseList(true);
            else OpenList();
            return;
        }
        if (listOpen_) {
            list_->KeyDown(*e);
            return;
        }
    }
    if (!wantReturns_ && IsEnter(key) && ctrl) {
        if (editStyle_ == TGridEditStyle::geEllipsis) ButtonPress();
        else if (IsListStyle(editStyle_) && !listOpen_) SelectNext();
        return;
    }

    const QChar ch = TypedChar(*e);
    if (HandedToGrid(e)) {
        grid->KeyDown(key, mods);
        // Tab and Esc still type their character, which the grid sees next.
        if (self && !ch.isNull()) grid->KeyPress(ch);
        return;
    }
    int k = key;
    if (grid->OnKeyDown) grid->OnKeyDown(*grid, k, mods);
    if (!self || k == 0) return;

    if (!ch.isNull()) {
        if (grid->KeyPress(ch) || !self) return;
        if (IsPrintable(ch)) {
            bool accept = true;
            if (grid->OnEditAcceptKey) grid->OnEditAcceptKey(*grid, grid->EditorCell(), ch, accept);
            if (!self) return;
            if (!accept) {
                Beep();
                return;
            }
        }
        if (ch == QLatin1Char('\b') || IsPrintable(ch)) {
            if (!CanModify()) return;  // refused without a sound
            PassToField([&] { QLineEdit::keyPressEvent(e); }, true);
            return;
        }
        if (ch == QLatin1Char('\t') || ch == QChar(0x1B)) return;
    }
    if (ModifiesText(*e)) {
        if (!CanModify()) return;
        PassToField([&] { QLineEdit::keyPressEvent(e); }, true);
        return;
    }
    if (UndoesText(*e)) {
        if (!grid->EditorCanUndo(grid->EditorCell())) return;
        PassToField([&] { QLineEdit::keyPressEvent(e); }, true);
        return;
    }
    PassToField([&] { QLineEdit::keyPressEvent(e); }, false);
}

void TCustomGridEdit::ButtonPress() {
    if (grid_->OnEditButtonPress) grid_->OnEditButtonPress(*grid_, grid_->EditorCell());
}

void TCustomGridEdit::SelectNext() {
    QString value = text();
    if (grid_->OnEditSelectNext) grid_->OnEditSelectNext(*grid_, grid_->EditorCell(), value);
    if (value != text()) {
        setText(value);
        selectAll();
    }
}

void TCustomGridEdit::DoubleClicked() {
    const QPointer<TCustomGridEdit> self(this);
    grid_->DblClick();
    if (!self) return;
    if (editStyle_ == TGridEditStyle::geEllipsis) ButtonPress();
    else if (IsListStyle(editStyle_) && !listOpen_) SelectNext();
}

void TCustomGridEdit::mousePressEvent(QMouseEvent* e) {
    Guarded([&] {
        const QPointer<TCustomGridEdit> self(this);
        const QPoint pos = e->position().toPoint();
        if (e->button() == Qt::LeftButton && ButtonRect().contains(pos)) {
            if (listOpen_) {
                CloseList(false);
                return;
            }
            buttonTracking_ = true;
            buttonPressed_ = true;
            update(ButtonRect());
            if (IsListStyle(editStyle_)) OpenList();
            return;
        }
        if (e->button() == Qt::LeftButton) {
            CloseList(false);
            if (!self) return;
            const bool doubleClick = clickTime_ != 0 && NowMs() - clickTime_ < QApplication::doubleClickInterval();
            clickTime_ = 0;
            QLineEdit::mousePressEvent(e);
            if (doubleClick) DoubleClicked();
            return;
        }
        QLineEdit::mousePressEvent(e);
    });
}

void TCustomGridEdit::mouseMoveEvent(QMouseEvent* e) {
    Guarded([&] {
        const QPoint pos = e->position().toPoint();
        const QPoint global = e->globalPosition().toPoint();
        if (forwardingToList_ && list_) {
            list_->MoveAt(list_->viewport()->mapFromGlobal(global));
            return;
        }
        if (buttonTracking_) {
            if (listOpen_ && list_ && list_->geometry().contains(global)) {
                // Pressing the button, dragging into the list and releasing chooses an entry.
                buttonTracking_ = false;
                buttonPressed_ = false;
                update(ButtonRect());
                forwardingToList_ = true;
                list_->PressAt(list_->viewport()->mapFromGlobal(global));
                return;
            }
            const bool over = ButtonRect().contains(pos);
            if (over != buttonPressed_) {
                buttonPressed_ = over;
                update(ButtonRect());
            }
            return;
        }
        if (e->buttons() == Qt::NoButton) {
            setCursor(ButtonRect().contains(pos) ? Qt::ArrowCursor : Qt::IBeamCursor);
        }
        QLineEdit::mouseMoveEvent(e);
    });
}

void TCustomGridEdit::mouseReleaseEvent(QMouseEvent* e) {
    Guarded([&] {
        const QPoint pos = e->position().toPoint();
        if (forwardingToList_ && list_) {
            forwardingToList_ = false;
            list_->ReleaseAt(list_->viewport()->mapFromGlobal(e->globalPosition().toPoint()));
            return;
        }
        if (buttonTracking_) {
            buttonTracking_ = false;
            const bool wasPressed = buttonPressed_;
            buttonPressed_ = false;
            update(ButtonRect());
            if (editStyle_ == TGridEditStyle::geEllipsis && wasPressed && ButtonRect().contains(pos)) ButtonPress();
            return;
        }
        if (e->button() == Qt::MiddleButton) {
            // The selection paste of the platform is a modification like any other.
            PassToField([&] { QLineEdit::mouseReleaseEvent(e); }, false);
            return;
        }
        QLineEdit::mouseReleaseEvent(e);
    });
}

void TCustomGridEdit::mouseDoubleClickEvent(QMouseEvent* e) {
    Guarded([&] {
        if (ButtonRect().contains(e->position().toPoint())) return;
        const QPointer<TCustomGridEdit> self(this);
        QLineEdit::mouseDoubleClickEvent(e);
        if (self && e->button() == Qt::LeftButton) DoubleClicked();
    });
}

void TCustomGridEdit::wheelEvent(QWheelEvent* e) {
    // The wheel moves the grid's focused cell, as over the grid itself.
    const QPointF pos = grid_->viewport()->mapFromGlobal(e->globalPosition());
    QWheelEvent forwarded(pos, e->globalPosition(), e->pixelDelta(), e->angleDelta(), e->buttons(), e->modifiers(),
                          e->phase(), e->inverted());
    QApplication::sendEvent(grid_->viewport(), &forwarded);
    e->accept();
}

void TCustomGridEdit::focusInEvent(QFocusEvent* e) { QLineEdit::focusInEvent(e); }

void TCustomGridEdit::focusOutEvent(QFocusEvent* e) {
    Guarded([&] {
        const QPointer<TCustomGridEdit> self(this);
        CloseList(false);
        if (!self) return;
        QWidget* next = QApplication::focusWidget();
        if (next && next != grid_ && !grid_->isAncestorOf(next)) grid_->ExitControl();
    });
    QLineEdit::focusOutEvent(e);
}

void TCustomGridEdit::contextMenuEvent(QContextMenuEvent* e) {
    Guarded([&] {
        const QPointer<TCustomGridEdit> self(this);
        std::unique_ptr<QMenu> menu(createStandardContextMenu());
        if (!CanModify()) {
            for (QAction* action : menu->actions()) {
                const QString name = action->objectName();
                if (name == QLatin1String("edit-undo") || name == QLatin1String("edit-redo") ||
                    name == QLatin1String("edit-cut") || name == QLatin1String("edit-paste") ||
                    name == QLatin1String("edit-delete")) {
                    action->setEnabled(false);
                }
            }
        }
        PassToField([&] { menu->exec(e->globalPos()); }, false);
    });
}

void TCustomGridEdit::dragEnterEvent(QDragEnterEvent* e) {
    bool allowed = false;
    Guarded([&] { allowed = CanModify(); });
    if (allowed) QLineEdit::dragEnterEvent(e);
    else e->ignore();
}

void TCustomGridEdit::dropEvent(QDropEvent* e) {
    Guarded([&] { PassToField([&] { QLineEdit::dropEvent(e); }, false); });
}

void TCustomGridEdit::inputMethodEvent(QInputMethodEvent* e) {
    Guarded([&] {
        if ((!e->commitString().isEmpty() || e->replacementLength() > 0) && !CanModify()) {
            e->ignore();
            return;
        }
        PassToField([&] { QLineEdit::inputMethodEvent(e); }, false);
    });
}

}  // namespace lk63
