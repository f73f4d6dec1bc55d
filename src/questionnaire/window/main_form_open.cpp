// Opening a saved questionnaire or an ORDER.json: read and applied to a
// questionnaire of its own first, so that a bad file changes nothing on
// screen; then shown as if the customer had chosen every row.
#include "questionnaire/window/main_form.h"

#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QValidator>

#include "controls/event_guard.h"
#include "controls/spin_edit.h"
#include "questionnaire/order_input.h"
#include "questionnaire/questionnaire.h"
#include "questionnaire/questionnaire_document.h"
#include "questionnaire/window/note_edit.h"
#include "questionnaire/window/order_error_text.h"
#include "questionnaire/window/save_dialog.h"
#include "questionnaire/window/single_line_edit.h"
#include "report/messages.h"

namespace lk63 {
namespace {

// The text as the field would have taken it typed.
QString AsTyped(const QLineEdit& field, const std::string& text) {
    QString shown = QString::fromStdString(text);
    if (const QValidator* validator = field.validator()) {
        int pos = 0;
        validator->validate(shown, pos);
    }
    return shown;
}

// The note as the memo takes it typed: its own line breaks, tabs as spaces.
QString NoteAsTyped(const std::string& note) {
    QString shown = QString::fromStdString(note);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    return TabsToSpaces(shown);
}

// A saved questionnaire is proposed as itself, an ORDER.json as the PDF
// beside it with its name.
QString ProposedFile(const QFileInfo& opened) {
    if (opened.suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0) return opened.absoluteFilePath();
    return QDir(opened.absolutePath()).filePath(opened.completeBaseName() + QStringLiteral(".pdf"));
}

}  // namespace

void TMainForm::OpenCommand() {
    if (saving_) return;
    const std::string last = document_->PdfExport().FileName;
    const QString folder =
        last.empty() ? FirstSaveFolder() : QFileInfo(QFile::decodeName(QByteArray::fromStdString(last))).absolutePath();
    const std::optional<QString> path = openDialog_(this, folder);
    if (path && !path->isEmpty()) OpenFile(*path);
}

void TMainForm::OpenFile(const QString& path) {
    if (saving_) return;
    Guarded([&] { Open(path); });
}

void TMainForm::Open(const QString& path) {
    // Never standard input, whatever the name.
    const QFileInfo file(path);
    const std::string native = QFile::encodeName(file.absoluteFilePath()).toStdString();
    TOrder order;
    TQuestionnaire opened;
    try {
        order = ParseOrder(ReadOrderText(native));
        ApplyChoices(opened, order);
    } catch (const TOrderError& e) {
        ShowMessage(QString::fromUtf8(RpMessage("ErrorCaption")),
                    QString::fromStdString(WindowOrderErrorText(e, native)));
        return;
    }
    // The save path holds on to the questionnaire: it is replaced in place.
    *questionnaire_ = std::move(opened);
    ShowQuestionnaire();
    Edit1->setText(AsTyped(*Edit1, order.Organisation));
    Edit2->setText(AsTyped(*Edit2, order.Address));
    Edit3->setText(AsTyped(*Edit3, order.Contact));
    Edit4->SetText(QString::fromStdString(order.Quantity));
    Memo4->setPlainText(NoteAsTyped(order.Note));
    document_->PdfExport().FileName = QFile::encodeName(ProposedFile(file)).toStdString();
}

}  // namespace lk63
