// A saved questionnaire's order as the window and lk63-order open it: the
// attachment found through qpdf in whatever bytes arrive, then read as
// ORDER.json. Bad input is an error of one line that says why, never a crash
// or another exception.
#include "fuzz_check.h"
#include "fuzz_targets.h"
#include "platform/io/pdf_attachment.h"
#include "questionnaire/order_input.h"

namespace lk63::fuzz {

void PdfOrderTarget(std::string_view input) {
    std::string text;
    try {
        text = platform::ReadPdfAttachment(input, kOrderAttachment, kMaxAttachedOrderBytes);
    } catch (const platform::TPdfReadError& e) {
        Require(*e.what() != '\0', "a PDF read error without a reason");
        // Else every input would end here, unread.
        Require(e.Failure() != platform::TPdfReadFailure::ReaderMissing, "the PDF reader module is not loaded");
        return;
    }
    Require(text.size() <= kMaxAttachedOrderBytes, "an attachment over the limit was read");
    try {
        const TOrder order = ParseOrder(text);
        TQuestionnaire q;
        ApplyChoices(q, order);
    } catch (const TOrderError& e) {
        RequireOneLine(e.what());
    }
}

}  // namespace lk63::fuzz
