#include "questionnaire/window/single_line_edit.h"

namespace lk63 {
namespace {

bool IsControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

}  // namespace

TSingleLineEdit::TSingleLineEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textEdited, this, [this] { Clean(); });
}

QString TSingleLineEdit::WithoutControls(const QString& text) {
    QString clean = text;
    for (QChar& c : clean)
        if (IsControl(c)) c = u' ';
    return clean;
}

void TSingleLineEdit::Clean() {
    const QString clean = WithoutControls(text());
    if (clean == text()) return;
    const int cursor = cursorPosition();
    setText(clean);
    setCursorPosition(cursor);
}

}  // namespace lk63
