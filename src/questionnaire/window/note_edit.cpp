#include "questionnaire/window/note_edit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace lk63 {

QString TabsToSpaces(QString text) { return text.replace(u'\t', u' '); }

TNoteEdit::TNoteEdit(QWidget* parent) : QPlainTextEdit(parent) {}

void TNoteEdit::keyPressEvent(QKeyEvent* e) {
    if (!e->text().contains(u'\t')) return QPlainTextEdit::keyPressEvent(e);
    QKeyEvent spaced(e->type(), e->key(), e->modifiers(), TabsToSpaces(e->text()), e->isAutoRepeat(),
                     static_cast<quint16>(e->count()));
    QPlainTextEdit::keyPressEvent(&spaced);
    e->setAccepted(spaced.isAccepted());
}

void TNoteEdit::inputMethodEvent(QInputMethodEvent* e) {
    if (!e->commitString().contains(u'\t')) return QPlainTextEdit::inputMethodEvent(e);
    QInputMethodEvent spaced(e->preeditString(), e->attributes());
    spaced.setCommitString(TabsToSpaces(e->commitString()), e->replacementStart(), e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&spaced);
    e->setAccepted(spaced.isAccepted());
}

void TNoteEdit::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText() || !source->text().contains(u'\t'))
        return QPlainTextEdit::insertFromMimeData(source);
    QMimeData spaced;
    spaced.setText(TabsToSpaces(source->text()));
    QPlainTextEdit::insertFromMimeData(&spaced);
}

}  // namespace lk63
