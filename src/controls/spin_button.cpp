#include "controls/spin_button.h"

#include <algorithm>

#include <QKeyEvent>

#include "controls/event_guard.h"

namespace lk63 {

TSpinButton::TSpinButton(QWidget* parent)
    : QWidget(parent),
      up_(new TTimerSpeedButton(TSpinGlyph::sgUp, this)),
      down_(new TTimerSpeedButton(TSpinGlyph::sgDown, this)),
      focused_(up_) {
    setFocusPolicy(Qt::NoFocus);
    up_->SetAllowTimer(true);
    down_->SetAllowTimer(true);
    up_->OnPress = [this] { Pressed(up_); };
    down_->OnPress = [this] { Pressed(down_); };
    up_->OnClick = [this] {
        if (OnUpClick) OnUpClick();
    };
    down_->OnClick = [this] {
        if (OnDownClick) OnDownClick();
    };
    resize(20, 25);
    Layout();
}

void TSpinButton::Pressed(TTimerSpeedButton* button) {
    QWidget* target = focusControl_;
    if (target && !target->hasFocus() && target->isEnabled() && target->isVisible() &&
        target->focusPolicy() != Qt::NoFocus) {
        target->setFocus(Qt::MouseFocusReason);
    } else if (TabStop()) {
        setFocus(Qt::MouseFocusReason);
    }
    if (TabStop() && isEnabled()) SetFocusedButton(button);
}

void TSpinButton::SetFocusedButton(TTimerSpeedButton* button) {
    focused_ = button;
    up_->SetFocusRectShown(hasFocus() && focused_ == up_);
    down_->SetFocusRectShown(hasFocus() && focused_ == down_);
}

void TSpinButton::Layout() {
    const int h = height();
    up_->setGeometry(0, 0, width(), h / 2);
    // The two buttons overlap by one pixel.
    const int downTop = std::max(h / 2 - 1, 0);
    down_->setGeometry(0, downTop, width(), h - downTop);
}

void TSpinButton::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    Guarded([&] {
        if (width() < MinWidth) {
            resize(MinWidth, height());
            return;
        }
        Layout();
    });
}

void TSpinButton::keyPressEvent(QKeyEvent* e) {
    Guarded([&] {
        switch (e->key()) {
        case Qt::Key_Space: focused_->Click(); break;
        case Qt::Key_Up:
            SetFocusedButton(up_);
            up_->Click();
            break;
        case Qt::Key_Down:
            SetFocusedButton(down_);
            down_->Click();
            break;
        default: QWidget::keyPressEvent(e); break;
        }
    });
}

void TSpinButton::focusInEvent(QFocusEvent* e) {
    QWidget::focusInEvent(e);
    SetFocusedButton(focused_);
}

void TSpinButton::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    SetFocusedButton(focused_);
}

}  // namespace lk63
