#include "controls/typed_char.h"

#include <QKeyEvent>

namespace lk63 {

bool IsPrintable(QChar c) {
    const char16_t u = c.unicode();
    return u >= 0x20 && u != 0x7F && !(u >= 0x80 && u <= 0x9F) && u != 0x2028 && u != 0x2029;
}

QChar TypedChar(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return QLatin1Char('\r');
    case Qt::Key_Escape: return QChar(0x1B);
    case Qt::Key_Backspace: return QLatin1Char('\b');
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return QLatin1Char('\t');
    default: break;
    }
    if (e.text().isEmpty() || (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return {};
    const QChar ch = e.text().at(0);
    return IsPrintable(ch) ? ch : QChar();
}

QString ControlsToSpaces(const QString& text) {
    QString clean = text;
    for (QChar& c : clean)
        if (!IsPrintable(c)) c = u' ';
    return clean;
}

}  // namespace lk63
