#include "controls/timer_speed_button.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/event_guard.h"
#include "controls/system_colors.h"

namespace lk63 {

TTimerSpeedButton::TTimerSpeedButton(TSpinGlyph glyph, QWidget* parent) : QWidget(parent), glyph_(glyph) {
    setFocusPolicy(Qt::NoFocus);
}

TTimerSpeedButton::~TTimerSpeedButton() = default;

void TTimerSpeedButton::SetFocusRectShown(bool value) {
    if (focusRect_ == value) return;
    focusRect_ = value;
    update();
}

void TTimerSpeedButton::Click() {
    if (OnClick) OnClick();
}

void TTimerSpeedButton::TimerFired() {
    timer_->SetInterval(RepeatMs);
    if (!(down_ && held_)) return;
    try {
        Click();
    } catch (...) {
        timer_->Stop();
        throw;
    }
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* e) {
    Guarded([&] {
        if (e->button() != Qt::LeftButton) return;
        if (OnPress) OnPress();
        down_ = true;
        held_ = true;
        update();
        if (!allowTimer_) return;
        if (!timer_) {
            timer_ = CreateRepeatTimer();
            timer_->OnTimer = [this] { TimerFired(); };
        }
        timer_->Start(FirstDelayMs);
    });
}

void TTimerSpeedButton::mouseMoveEvent(QMouseEvent* e) {
    Guarded([&] {
        if (!held_) return;
        // Off the button the clicks pause; back on it they resume.
        const bool over = rect().contains(e->position().toPoint());
        if (over != down_) {
            down_ = over;
            update();
        }
    });
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* e) {
    Guarded([&] {
        if (e->button() != Qt::LeftButton || !held_) return;
        held_ = false;
        down_ = false;
        if (timer_) timer_->Stop();
        update();
        if (rect().contains(e->position().toPoint())) Click();
    });
}

void TTimerSpeedButton::paintEvent(QPaintEvent* /*e*/) {
    Guarded([&] {
        QPainter painter(this);
        const QPalette& pal = palette();
        const QRect r = rect();
        painter.fillRect(r, SystemColor(TSysColor::clBtnFace, pal));
        const int x2 = r.width() - 1;
        const int y2 = r.height() - 1;
        if (down_) {
            painter.setPen(SystemColor(TSysColor::clBtnShadow, pal));
            painter.drawRect(r.adjusted(0, 0, -1, -1));
        } else {
            painter.setPen(SystemColor(TSysColor::clBtnHighlight, pal));
            painter.drawLine(0, 0, x2 - 1, 0);
            painter.drawLine(0, 0, 0, y2 - 1);
            painter.setPen(SystemColor(TSysColor::cl3DDkShadow, pal));
            painter.drawLine(0, y2, x2, y2);
            painter.drawLine(x2, 0, x2, y2);
            painter.setPen(SystemColor(TSysColor::clBtnShadow, pal));
            painter.drawLine(1, y2 - 1, x2 - 1, y2 - 1);
            painter.drawLine(x2 - 1, 1, x2 - 1, y2 - 1);
        }
        // The 9 x 6 glyph: a triangle of rows 7, 5, 3 and 1 pixels wide.
        const int shift = down_ ? 1 : 0;
        const int gx = (r.width() - 9) / 2 + shift;
        const int gy = (r.height() - 6) / 2 + shift;
        for (int row = 0; row < 4; ++row) {
            const int width = 7 - 2 * row;
            const int y = glyph_ == TSpinGlyph::sgDown ? gy + 1 + row : gy + 4 - row;
            painter.fillRect(QRect(gx + 1 + row, y, width, 1), Qt::black);
        }
        if (focusRect_) {
            QPen pen(Qt::black);
            pen.setDashPattern({1.0, 1.0});
            painter.setPen(pen);
            painter.drawRect(r.adjusted(3 + shift, 3 + shift, -4 + shift, -4 + shift));
        }
    });
}

}  // namespace lk63
