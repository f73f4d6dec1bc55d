#pragma once
// What a key press types, read the same way by every control: the character
// message the platform would send after the key. X11 hands over some keys
// that type nothing with a control character as their text (Delete comes
// with U+007F), so the text alone does not tell.

#include <QChar>
#include <QString>

class QKeyEvent;

namespace lk63 {

// A character that shows as itself: not a C0 or C1 control, not DEL, not a
// line or paragraph separator.
[[nodiscard]] bool IsPrintable(QChar c);

// Enter ('\r'), Esc (0x1B), Backspace ('\b') and Tab ('\t') type their control
// codes whatever the modifiers; any other key types the first character of its
// text when that is printable and neither Ctrl, Alt nor Meta is held; else
// nothing (a null QChar).
[[nodiscard]] QChar TypedChar(const QKeyEvent& e);

// `text` with every character that is not printable replaced by a space.
[[nodiscard]] QString ControlsToSpaces(const QString& text);

}  // namespace lk63
