// Random organisation texts, quantity and note saved through the save path
// into memory: preparing fails only for a quantity that is not printed, the
// export never fails, and the PDF is complete with the prepared page count.
#include "fuzz_check.h"
#include "fuzz_targets.h"
#include "pdf/pdf_output.h"
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

}  // namespace

void SavePdfTarget(std::string_view input) {
    // Choices, organisation, address, contact, quantity, note.
    const std::vector<std::string_view> pieces = SplitInput(input, 6);
    const auto piece = [&](std::size_t k) { return k < pieces.size() ? pieces[k] : std::string_view(); };
    TQuestionnaire q;
    ChooseAll(q, piece(0));
    Require(q.SaveEnabled(), "every row chosen but no save");

    TRecordedErrors errors;
    TQuestionnaireDocument document(q, &errors);
    const TReportFields fields{std::string(piece(1)), std::string(piece(2)), std::string(piece(3)),
                               std::string(piece(4)), std::string(piece(5))};
    const TSavePreparation prepared = document.Prepare(fields);
    if (!IsPrintableQuantity(SingleLineText(fields.Quantity))) {
        Require(prepared == TSavePreparation::BadQuantity, "a quantity that is not printed was accepted");
        return;
    }
    Require(prepared == TSavePreparation::Prepared, "preparing failed: " + errors.Shown);

    std::string pdf;
    TrpStringSink sink(pdf);
    document.PdfExport().Stream = &sink;
    Require(document.Export("in-memory.pdf"), "the export failed: " + errors.Shown);
    Require(errors.Shown.empty(), "the export showed an error: " + errors.Shown);
    const std::string problem = PdfProblem(pdf, document.Report().PreviewPages().PageCount());
    Require(problem.empty(), "incomplete PDF: " + problem);
}

}  // namespace lk63::fuzz
