// "Сохранить в pdf": the fields to the report, the pages prepared, the file
// asked for and written, all without the window taking other input meanwhile.
#include "questionnaire/window/main_form.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "controls/event_guard.h"
#include "controls/spin_edit.h"
#include "questionnaire/quantity.h"
#include "questionnaire/questionnaire_document.h"
#include "questionnaire/window/input_block.h"
#include "questionnaire/window/note_edit.h"
#include "questionnaire/window/single_line_edit.h"
#include "report/messages.h"

namespace lk63 {

// For the length of a save: no input reaches the window, a second save is
// refused and a close waits.
class TMainForm::TSaveRun {
public:
    explicit TSaveRun(TMainForm& form) : form_(form), block_(form) { form_.saving_ = true; }
    ~TSaveRun() { form_.saving_ = false; }
    TSaveRun(const TSaveRun&) = delete;
    TSaveRun& operator=(const TSaveRun&) = delete;

private:
    TMainForm& form_;
    TInputBlock block_;
};

void TMainForm::Button1Click() {
    if (saving_) return;
    {
        TSaveRun run(*this);
        Guarded([this] { Save(); });
    }
    if (closePending_) {
        closePending_ = false;
        close();
    }
}

void TMainForm::Save() {
    TReportFields fields;
    fields.Organisation = Edit1->text().toStdString();
    fields.Address = Edit2->text().toStdString();
    fields.Contact = Edit3->text().toStdString();
    fields.Quantity = Edit4->text().toStdString();
    fields.Note = Memo4->toPlainText().toStdString();
    const TSavePreparation prepared = [&] {
        // Preparing shows no window of its own; the pointer tells that work goes on.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        struct TRestore {
            ~TRestore() { QApplication::restoreOverrideCursor(); }
        } restore;
        return document_->Prepare(fields);
    }();
    ShowTrimmedNote(QString::fromStdString(document_->TrimmedNote()));
    switch (prepared) {
        case TSavePreparation::Prepared:
            break;
        case TSavePreparation::BadQuantity:
            ShowMessage(QString::fromUtf8(RpMessage("ErrorCaption")), QString::fromUtf8(kQuantityMessage));
            Edit4->setFocus(Qt::OtherFocusReason);
            return;
        case TSavePreparation::Failed:
            return;  // the engine has shown its errors
    }

    const QString proposed = QFile::decodeName(QByteArray::fromStdString(document_->PdfExport().FileName));
    const std::optional<QString> path = fileDialog_(this, proposed);
    if (!path || path->isEmpty()) return;
    document_->Export(QFile::encodeName(*path).toStdString());
}

void TMainForm::ShowTrimmedNote(const QString& note) {
    QString shown = note;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (Memo4->toPlainText() != shown) Memo4->setPlainText(shown);
}

}  // namespace lk63
