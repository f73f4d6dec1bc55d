#include "controls/spin_edit.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>

#include "controls/beep.h"
#include "controls/event_guard.h"
#include "controls/no_controls_validator.h"
#include "controls/typed_char.h"

namespace lk63 {
namespace {

constexpr int SystemBorderHeight = 1;

// Optional sign, then digits only, within the 32-bit range.
bool ParseInteger(const QString& text, int& value) {
    const QByteArray bytes = text.toLatin1();
    if (text.isEmpty() || bytes.size() != text.size()) return false;
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    // One sign at most: from_chars reads a '-' of its own, so a '+' must be followed by a digit.
    if (*first == '+') {
        ++first;
        if (first == last || *first < '0' || *first > '9') return false;
    }
    const auto [end, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && end == last;
}

int Saturate(std::int64_t v) {
    return static_cast<int>(
        std::clamp<std::int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : QLineEdit(parent), button_(new TSpinButton(this)) {
    setText(QStringLiteral("0"));
    setValidator(new TNoControlsValidator(this));
    button_->resize(15, 17);
    button_->SetFocusControl(this);
    button_->OnUpClick = [this] { StepUp(); };
    button_->OnDownClick = [this] { StepDown(); };
    QObject::connect(this, &QLineEdit::textChanged, this, [this] {
        Guarded([&] {
            if (OnChange) OnChange(*this);
        });
    });
}

void TSpinEdit::SetMaxLength(int value) {
    maxLength_ = std::max(value, 0);
    setMaxLength(maxLength_ > 0 ? maxLength_ : std::numeric_limits<int>::max());
}

int TSpinEdit::Value() const {
    int value = 0;
    return ParseInteger(text(), value) ? value : minValue_;
}

void TSpinEdit::SetValue(int value) { setText(QString::number(ClampToBounds(value))); }

int TSpinEdit::ClampToBounds(int value) const {
    if (minValue_ == maxValue_) return value;
    return std::clamp(value, std::min(minValue_, maxValue_), std::max(minValue_, maxValue_));
}

void TSpinEdit::Step(int delta) {
    if (isReadOnly()) {
        Beep();
        return;
    }
    SetValue(Saturate(static_cast<std::int64_t>(Value()) + delta));
}

void TSpinEdit::StepUp() { Step(increment_); }
void TSpinEdit::StepDown() { Step(-increment_); }

bool TSpinEdit::AcceptsChar(QChar key) const {
    const char16_t c = key.unicode();
    bool accepted = key == QLatin1Char('+') || key == QLatin1Char('-') || (c >= u'0' && c <= u'9') ||
                    key == QLocale().decimalPoint().at(0) || (c < 0x20 && c != u'\r');
    if (!editorEnabled_ && (c >= 0x20 || c == u'\b')) accepted = false;
    return accepted;
}

void TSpinEdit::keyPressEvent(QKeyEvent* e) {
    Guarded([&] {
        if (e->key() == Qt::Key_Up) StepUp();
        else if (e->key() == Qt::Key_Down) StepDown();

        if (e->matches(QKeySequence::Paste) || e->matches(QKeySequence::Cut)) {
            if (CanEditText()) QLineEdit::keyPressEvent(e);
            return;
        }
        QChar ch = TypedChar(*e);
        // A chord with Ctrl types a control character.
        if (ch.isNull() && !e->text().isEmpty() && (e->modifiers() & Qt::ControlModifier)) ch = QChar(0x01);
        if (!ch.isNull() && !AcceptsChar(ch)) {
            Beep();
            return;
        }
        QLineEdit::keyPressEvent(e);
    });
}

void TSpinEdit::focusInEvent(QFocusEvent* e) {
    QLineEdit::focusInEvent(e);
    if (autoSelect_ && e->reason() != Qt::MouseFocusReason) selectAll();
}

void TSpinEdit::focusOutEvent(QFocusEvent* e) {
    Guarded([&] {
        const int value = Value();
        if (ClampToBounds(value) != value) SetValue(value);
    });
    QLineEdit::focusOutEvent(e);
}

int TSpinEdit::EdgeWidth() const { return hasFrame() ? 2 : 0; }

int TSpinEdit::MinHeight() const {
    const int text = QFontMetrics(font()).height();
    const int system = QFontMetrics(QApplication::font()).height();
    return text + std::min(text, system) / 4 + 4 * SystemBorderHeight + 2;
}

QRect TSpinEdit::ButtonBounds() const { return button_->geometry().translated(-EdgeWidth(), -EdgeWidth()); }

void TSpinEdit::resizeEvent(QResizeEvent* e) {
    QLineEdit::resizeEvent(e);
    Guarded([&] {
        // A hidden widget takes the new size at once but hears of it only
        // when shown: the buttons follow the size it has now.
        if (height() < MinHeight()) resize(width(), MinHeight());
        const int edge = EdgeWidth();
        const int bw = button_->width();
        if (hasFrame()) button_->setGeometry(edge + width() - bw - 5, edge, bw, height() - 5);
        else button_->setGeometry(width() - bw, 1, bw, height() - 3);
        // Typed text never runs under the buttons.
        setTextMargins(0, 0, bw + 2, 0);
    });
}

void TSpinEdit::contextMenuEvent(QContextMenuEvent* e) {
    Guarded([&] {
        std::unique_ptr<QMenu> menu(createStandardContextMenu());
        if (!CanEditText()) {
            for (QAction* action : menu->actions()) {
                const QString name = action->objectName();
                if (name == QLatin1String("edit-cut") || name == QLatin1String("edit-paste") ||
                    name == QLatin1String("edit-delete"))
                    action->setEnabled(false);
            }
        }
        menu->exec(e->globalPos());
    });
}

void TSpinEdit::mouseReleaseEvent(QMouseEvent* e) {
    // The platform's selection paste counts as pasting.
    if (e->button() == Qt::MiddleButton && !CanEditText()) return;
    QLineEdit::mouseReleaseEvent(e);
}

void TSpinEdit::dropEvent(QDropEvent* e) {
    if (!CanEditText()) {
        e->ignore();
        return;
    }
    QLineEdit::dropEvent(e);
}

}  // namespace lk63
