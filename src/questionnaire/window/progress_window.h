#pragma once
// The export's progress window: borderless, in the middle of the screen
// above its owner (which takes no input meanwhile), with the message
// "Экспорт страницы N" and "Отмена". It never takes the keyboard focus.
// Cancelling ("Отмена", or Escape typed while it shows) hides it and tells
// the run to stop.

#include <functional>

#include <QWidget>

#include "pdf/export_progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace lk63 {

class TProgressWindow : public QWidget, public TrpExportProgress {
public:
    static constexpr int kWidth = 271;
    static constexpr int kHeight = 101;

    explicit TProgressWindow(QWidget* owner);

    void Start(int pageCount) override;
    void Page(int number) override;
    void Stop() override;

    [[nodiscard]] QLabel* Message() const { return message_; }
    [[nodiscard]] QProgressBar* Bar() const { return bar_; }
    [[nodiscard]] QPushButton* CancelButton() const { return cancel_; }
    [[nodiscard]] bool Cancelled() const { return cancelled_; }

    // "Отмена" or Escape.
    std::function<void()> OnCancel;
    // After a page's message is shown and pending messages are through.
    std::function<void(int number)> OnPageShown;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void Cancel();
    void CentreOnScreen();
    void Close();

    QLabel* message_;
    QProgressBar* bar_;
    QPushButton* cancel_;
    bool cancelled_ = false;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace lk63
