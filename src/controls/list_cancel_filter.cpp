#include "controls/list_cancel_filter.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "controls/custom_grid_edit.h"
#include "controls/event_guard.h"
#include "controls/grid_list_box.h"

namespace lk63 {

TListCancelFilter::TListCancelFilter(TCustomGridEdit& editor) : editor_(editor) {
    qApp->installEventFilter(this);
}

TListCancelFilter::~TListCancelFilter() { qApp->removeEventFilter(this); }

bool TListCancelFilter::BelongsToEditor(const QWidget* w) const {
    const QWidget* list = editor_.ListBox();
    for (; w; w = w->parentWidget()) {
        // The list's own scroll bar belongs to it: using it keeps the list open.
        if (w == &editor_ || w == list) return true;
    }
    return false;
}

bool TListCancelFilter::eventFilter(QObject* watched, QEvent* e) {
    if (!editor_.ListOpen() || !watched->isWidgetType()) return false;
    const auto* w = static_cast<QWidget*>(watched);
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        if (!BelongsToEditor(w)) Guarded([&] { editor_.CloseList(false); });
        break;
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Hide:
        if (w->isWindow() && w == editor_.window()) {
            // The list would float away from its editor. The window may be on
            // its way to destruction, so the owner hears of it from the event
            // loop, and only if the editor still exists by then.
            if (QWidget* list = editor_.ListBox()) list->hide();
            QTimer::singleShot(0, &editor_, [editor = &editor_] { Guarded([&] { editor->CloseList(false); }); });
        }
        break;
    default: break;
    }
    return false;
}

}  // namespace lk63
