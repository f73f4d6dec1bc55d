#pragma once
// A file dropped anywhere on a window: one local file, whatever widget is
// under the pointer. The fields would otherwise take the dropped file's URL
// as text. Other drops (text into a field) go on as before.

#include <functional>

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

class QMimeData;

namespace lk63 {

class TFileDrop : public QObject {
public:
    // `open` gets the file's path after the drop has ended, from the event
    // loop, so that a message it shows does not hold the dragging program.
    TFileDrop(QWidget& window, std::function<void(const QString& path)> open);
    ~TFileDrop() override;
    TFileDrop(const TFileDrop&) = delete;
    TFileDrop& operator=(const TFileDrop&) = delete;

    // The path of the one local file the data names; empty for anything else
    // (text, several files, a web address).
    static QString DroppedFile(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
    std::function<void(const QString& path)> open_;
};

}  // namespace lk63
