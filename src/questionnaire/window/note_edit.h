#pragma once
// The free note: a multi-line field in which a tab, typed or pasted, becomes
// a space as it arrives; line breaks stay.

#include <QPlainTextEdit>

namespace lk63 {

// What the note keeps of a tab: a space.
QString TabsToSpaces(QString text);

class TNoteEdit : public QPlainTextEdit {
public:
    explicit TNoteEdit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    // Pasting, dropping and the selection paste all come through here.
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace lk63
