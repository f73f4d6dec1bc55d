#pragma once
// A pair of auto-repeating up and down buttons stacked in one column.

#include <functional>

#include <QPointer>
#include <QWidget>

#include "controls/timer_speed_button.h"

namespace lk63 {

class TSpinButton : public QWidget {
public:
    static constexpr int MinWidth = 15;

    explicit TSpinButton(QWidget* parent = nullptr);

    [[nodiscard]] TTimerSpeedButton* UpButton() const { return up_; }
    [[nodiscard]] TTimerSpeedButton* DownButton() const { return down_; }
    [[nodiscard]] TTimerSpeedButton* FocusedButton() const { return focused_; }
    [[nodiscard]] QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control) { focusControl_ = control; }
    [[nodiscard]] bool TabStop() const { return focusPolicy() & Qt::TabFocus; }
    void SetTabStop(bool value) { setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus); }

    std::function<void()> OnUpClick;
    std::function<void()> OnDownClick;

protected:
    void resizeEvent(QResizeEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void Pressed(TTimerSpeedButton* button);
    void SetFocusedButton(TTimerSpeedButton* button);
    void Layout();

    TTimerSpeedButton* up_;
    TTimerSpeedButton* down_;
    TTimerSpeedButton* focused_;
    QPointer<QWidget> focusControl_;
};

}  // namespace lk63
