#pragma once
// A flat push button that repeats its click while held: once after 400 ms,
// then every 100 ms, and once more on release over it.

#include <functional>
#include <memory>

#include <QWidget>

#include "controls/repeat_timer.h"

namespace lk63 {

enum class TSpinGlyph { sgUp, sgDown };

class TTimerSpeedButton : public QWidget {
public:
    static constexpr int FirstDelayMs = 400;
    static constexpr int RepeatMs = 100;

    TTimerSpeedButton(TSpinGlyph glyph, QWidget* parent);
    ~TTimerSpeedButton() override;

    [[nodiscard]] bool AllowTimer() const { return allowTimer_; }
    void SetAllowTimer(bool value) { allowTimer_ = value; }
    [[nodiscard]] bool FocusRectShown() const { return focusRect_; }
    void SetFocusRectShown(bool value);
    // Pressed state: the mouse holds the button with the pointer over it.
    [[nodiscard]] bool Down() const { return down_; }
    // The repeat timer, once a press has created it.
    [[nodiscard]] TRepeatTimer* Timer() const { return timer_.get(); }

    void Click();

    // Before a press is handled (the spin button moves the focus here).
    std::function<void()> OnPress;
    std::function<void()> OnClick;

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    void TimerFired();

    TSpinGlyph glyph_;
    bool allowTimer_ = false;
    bool focusRect_ = false;
    bool down_ = false;
    bool held_ = false;
    std::unique_ptr<TRepeatTimer> timer_;
};

}  // namespace lk63
