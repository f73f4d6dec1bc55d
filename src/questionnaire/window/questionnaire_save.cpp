#include "questionnaire/window/questionnaire_save.h"

#include "questionnaire/questionnaire_document.h"
#include "report/messages.h"

namespace lk63 {

TQuestionnaireSave::TQuestionnaireSave(const TQuestionnaire& questionnaire, TrpUserInterface& ui,
                                       TrpExportProgress& progress)
    : document_(std::make_unique<TQuestionnaireDocument>(questionnaire, &ui)) {
    document_->PdfExport().Progress = &progress;
}

TQuestionnaireSave::~TQuestionnaireSave() = default;

TQuestionnaireSave::TResult TQuestionnaireSave::Prepare(const TFields& fields) {
    switch (document_->Prepare({fields.Organisation, fields.Address, fields.Contact, fields.Quantity, fields.Note})) {
        case TSavePreparation::Prepared:
            return TResult::Prepared;
        case TSavePreparation::BadQuantity:
            return TResult::BadQuantity;
        case TSavePreparation::Failed:
            break;
    }
    return TResult::Failed;
}

const std::string& TQuestionnaireSave::TrimmedNote() const { return document_->TrimmedNote(); }

const std::string& TQuestionnaireSave::FileName() const { return document_->PdfExport().FileName; }

void TQuestionnaireSave::SetFileName(const std::string& path) { document_->PdfExport().FileName = path; }

bool TQuestionnaireSave::Export(const std::string& path) { return document_->Export(path); }

void TQuestionnaireSave::Stop() { document_->Report().StopReport(); }

std::string_view TQuestionnaireSave::QuantityMessage() { return kQuantityMessage; }

std::string_view TQuestionnaireSave::ErrorCaption() { return RpMessage("ErrorCaption"); }

}  // namespace lk63
