#include "questionnaire/window/file_drop.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

namespace lk63 {

TFileDrop::TFileDrop(QWidget& window, std::function<void(const QString& path)> open)
    : window_(&window), open_(std::move(open)) {
    // Without a widget that takes drops, none would be offered to the window.
    window.setAcceptDrops(true);
    qApp->installEventFilter(this);
}

TFileDrop::~TFileDrop() { qApp->removeEventFilter(this); }

QString TFileDrop::DroppedFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    return urls.front().toLocalFile();
}

bool TFileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    if (!window_ || !watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != window_) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QString path = DroppedFile(drop->mimeData());
    if (path.isEmpty()) return false;
    // The file is read, never moved.
    if (drop->possibleActions() & Qt::CopyAction) drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        QTimer::singleShot(0, window_, [open = open_, path] { open(path); });
    }
    return true;
}

}  // namespace lk63
