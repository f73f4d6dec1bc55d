// Random organisation texts, quantity and note saved through the save path
// into memory: preparing fails only for a quantity that is not printed, the
// export never fails, and the PDF is complete with the prepared page count.
#include "fuzz_check.h"
#include "fuzz_targets.h"
#include "pdf/pdf_sink.h"
#include "pdf_completeness.h"
#include "questionnaire/questionnaire_document.h"
#include "report/prepared_pages.h"
#include "report/user_interface.h"

namespace lk63::fuzz {
namespace {

class TRecordedErrors : public TrpUserInterface {
public:
    void ShowError(const std::string& caption, const std::string& text) override { Shown += caption + ": " + text; }
    void ProcessMessages() override {}
    std::string Shown;
};

// Every row chosen among what its list offers, by the bytes of `choices`.
void ChooseAll(TQuestionnaire& q, std::string_view choices) {
    TByteReader bytes(choices);
    for (const TGroup group : {TGroup::Breaker, TGroup::Accessory}) {
        for (int row = 0; row < TQuestionnaire::RowCount(group); ++row) {
            const std::vector<std::string> offered = q.EditList(group, row);
            Require(!offered.empty(), "a row offers nothing after the choices above");
            q.CloseUp(group, row, static_cast<int>(bytes.Byte() % offered.size()), true);
        }
    }
}

// One questionnaire and one document for all inputs, as the window keeps
// them from save to save: the template is built and the fonts are opened
// once, and each input costs only its own preparation and export.
struct TSaveRig {
    TQuestionnaire Questionnaire;
    TRecordedErrors Errors;
    TQuestionnaireDocument Document{Questionnaire, &Errors};
    std::string Pdf;
    TrpStringSink Sink{Pdf};
    TSaveRig() { Document.PdfExport().Stream = &Sink; }
};

}  // namespace

void SavePdfTarget(std::string_view input) {
    // Choices, organisation, address, contact, quantity, note.
    const std::vector<std::string_view> pieces = SplitInput(input, 6);
    const auto piece = [&](std::size_t k) { return k < pieces.size() ? pieces[k] : std::string_view(); };
    static TSaveRig rig;
    TQuestionnaire& q = rig.Questionnaire;
    q.Reset();
    ChooseAll(q, piece(0));
    Require(q.SaveEnabled(), "every row chosen but no save");

    rig.Errors.Shown.clear();
    rig.Pdf.clear();
    TQuestionnaireDocument& document = rig.Document;
    const TReportFields fields{std::string(piece(1)), std::string(piece(2)), std::string(piece(3)),
                               std::string(piece(4)), std::string(piece(5))};
    const TSavePreparation prepared = document.Prepare(fields);
    if (!IsPrintableQuantity(SingleLineText(fields.Quantity))) {
        Require(prepared == TSavePreparation::BadQuantity, "a quantity that is not printed was accepted");
        return;
    }
    Require(prepared == TSavePreparation::Prepared, "preparing failed: " + rig.Errors.Shown);

    Require(document.Export("in-memory.pdf"), "the export failed: " + rig.Errors.Shown);
    Require(rig.Errors.Shown.empty(), "the export showed an error: " + rig.Errors.Shown);
    const std::string problem = PdfProblem(rig.Pdf, document.Report().PreviewPages().PageCount());
    Require(problem.empty(), "incomplete PDF: " + problem);
    // Nothing of this input stays allocated: what is left over would look
    // like a leak, and libFuzzer would run the input again to look for one.
    document.Report().PreviewPages().ResetStore();
    rig.Pdf = std::string();
    q.Reset();
}

}  // namespace lk63::fuzz
