#include "questionnaire/window/input_block.h"

#include <QApplication>
#include <QEvent>

namespace lk63 {

TInputBlock::TInputBlock(QWidget& window) : window_(&window) { qApp->installEventFilter(this); }

TInputBlock::~TInputBlock() { qApp->removeEventFilter(this); }

bool TInputBlock::IsInput(int eventType) {
    switch (eventType) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::InputMethod:
        case QEvent::ContextMenu:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
            return true;
        default:
            return false;
    }
}

bool TInputBlock::eventFilter(QObject* watched, QEvent* event) {
    if (!window_ || !IsInput(event->type()) || !watched->isWidgetType()) return false;
    return static_cast<QWidget*>(watched)->window() == window_;
}

}  // namespace lk63
