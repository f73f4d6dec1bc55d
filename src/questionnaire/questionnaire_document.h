#pragma once
// "Сохранить в pdf" without its window: the report rpReport1 with its three
// data sets and the PDF export rpPDFExport1, filled from the questionnaire
// and the window's fields. The window prepares, shows its file dialog, then
// exports; the command-line tool does both at once.

#include <memory>
#include <string>
#include <string_view>

#include "pdf/pdf_export.h"
#include "questionnaire/quantity.h"
#include "questionnaire/questionnaire.h"
#include "questionnaire/report_binding.h"
#include "report/data_set.h"
#include "report/report.h"

namespace lk63 {

class TrpUserInterface;

enum class TSavePreparation {
    Prepared,     // pages are ready to export
    BadQuantity,  // show kQuantityMessage and put the focus into the quantity field
    Failed,       // the engine has shown its errors
};

// Control characters (line breaks included) of a single-line field become
// spaces, as if they had never been typed as such.
std::string SingleLineText(std::string_view text);
// The note as the model keeps it: composed (NFC), a tab a space.
std::string NoteText(std::string_view note);

class TQuestionnaireDocument {
public:
    // The questionnaire must outlive the document. `ui` shows the errors of
    // preparing and exporting and lets window messages through; none: silent.
    explicit TQuestionnaireDocument(const TQuestionnaire& questionnaire, TrpUserInterface* ui = nullptr);
    ~TQuestionnaireDocument();
    TQuestionnaireDocument(const TQuestionnaireDocument&) = delete;
    TQuestionnaireDocument& operator=(const TQuestionnaireDocument&) = delete;

    // Steps up to the dialog: the note is trimmed (TrimmedNote gives what the
    // window shows afterwards), the texts cleaned and composed (NFC), the
    // quantity checked, the seven variables and the composition count set,
    // the pages prepared, and the order to attach made of the same texts.
    TSavePreparation Prepare(const TReportFields& fields);
    [[nodiscard]] const std::string& TrimmedNote() const { return trimmedNote_; }

    // After a successful Prepare: writes the prepared pages to `path`, which
    // the export keeps as its FileName for the next save. False on an error,
    // which the export has shown; a cancelled export writes nothing.
    bool Export(const std::string& path);

    [[nodiscard]] TrpReport& Report() { return *report_; }
    [[nodiscard]] TrpPDFExport& PdfExport() { return export_; }

    // The saved file carries the order as its attachment "order.json"
    // (ORDER.json with its format and derived texts), for the factory to
    // read and for the window and lk63-order to open again. Off: the file
    // is as it was before orders travelled with it.
    bool AttachOrder = true;

private:
    const TQuestionnaire& questionnaire_;
    TrpUserDataSet rpUserDataSet1, rpUserDataSet2, rpUserDataSet3;
    std::unique_ptr<TrpReport> report_;
    TrpPDFExport export_;
    std::string trimmedNote_;
};

}  // namespace lk63
