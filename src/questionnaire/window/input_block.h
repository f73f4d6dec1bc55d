#pragma once
// While it lives, a window and everything inside it take no keyboard, mouse,
// wheel or drop input. Other windows (dialogs, message boxes) are not affected.

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace lk63 {

class TInputBlock : public QObject {
public:
    explicit TInputBlock(QWidget& window);
    ~TInputBlock() override;
    TInputBlock(const TInputBlock&) = delete;
    TInputBlock& operator=(const TInputBlock&) = delete;

    // Whether an event of this type is input that the block swallows.
    static bool IsInput(int eventType);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> window_;
};

}  // namespace lk63
