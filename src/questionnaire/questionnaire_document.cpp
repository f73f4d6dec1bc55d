#include "questionnaire/questionnaire_document.h"

#include <algorithm>
#include <utility>

#include "platform/unicode.h"
#include "questionnaire/order_input.h"
#include "questionnaire/report_template.h"
#include "questionnaire/report_texts.h"

namespace lk63 {
namespace {

bool IsControl(char16_t unit) {
    return unit < 0x20 || unit == 0x7F || (unit >= 0x80 && unit <= 0x9F) || unit == 0x2028 || unit == 0x2029;
}

}  // namespace

std::string SingleLineText(std::string_view text) {
    bool clean = true;
    for (const char c : text) clean = clean && static_cast<unsigned char>(c) >= 0x20 && c != 0x7F;
    // Plain text without control bytes can still hold C1 controls or line
    // separators, which are two- and three-byte sequences.
    if (clean && text.find("\xC2") == std::string_view::npos && text.find("\xE2\x80") == std::string_view::npos)
        return std::string(text);
    std::u16string wide = platform::Utf8ToUtf16(text);
    for (char16_t& unit : wide)
        if (IsControl(unit)) unit = u' ';
    return platform::Utf16ToUtf8(wide);
}

TQuestionnaireDocument::TQuestionnaireDocument(const TQuestionnaire& questionnaire, TrpUserInterface* ui)
    : questionnaire_(questionnaire) {
    ConnectReportDataSets(questionnaire_, rpUserDataSet1, rpUserDataSet2, rpUserDataSet3);
    report_ = BuildQuestionnaireReport(rpUserDataSet1, rpUserDataSet2, rpUserDataSet3);
    report_->UserInterface = ui;
    // rpPDFExport1 as the window sets it; the rest are the export's defaults.
    export_.Carried.ShowDialog = false;
    export_.Carried.UseFileCache = true;
    export_.ShowProgress = true;
    export_.Carried.OverwritePrompt = false;
    export_.DataOnly = false;
    export_.Carried.Outline = false;
    export_.Background = false;
    export_.Carried.HTMLTags = true;
    export_.Carried.Quality = 95;
    export_.PrintScaling = false;
    // rpReport1 has no page tags: "[TOTALPAGES#]" in a customer's text is text.
    export_.ReplacePageTags = false;
    // The file reads the same on every machine: the fonts travel with it.
    export_.EmbeddedFonts = true;
}

TQuestionnaireDocument::~TQuestionnaireDocument() = default;

std::string NoteText(std::string_view note) {
    std::string text = platform::ToNfc(note);
    std::replace(text.begin(), text.end(), '\t', ' ');
    return text;
}

TSavePreparation TQuestionnaireDocument::Prepare(const TReportFields& fields) {
    // Texts are kept composed: "и" + U+0306 is printed and read back as "й".
    TReportFields clean;
    clean.Organisation = platform::ToNfc(SingleLineText(fields.Organisation));
    clean.Address = platform::ToNfc(SingleLineText(fields.Address));
    clean.Contact = platform::ToNfc(SingleLineText(fields.Contact));
    clean.Quantity = SingleLineText(fields.Quantity);
    // Line breaks become CR LF before the several-lines test.
    trimmedNote_ = TrimNote(NoteText(fields.Note));
    clean.Note = trimmedNote_;
    if (!IsPrintableQuantity(clean.Quantity)) return TSavePreparation::BadQuantity;

    FillReportVariables(*report_, questionnaire_, clean, rpUserDataSet3);
    export_.Attachments.clear();
    if (AttachOrder && questionnaire_.SaveEnabled()) {
        TOrder order;
        order.Organisation = std::move(clean.Organisation);
        order.Address = std::move(clean.Address);
        order.Contact = std::move(clean.Contact);
        order.Quantity = std::move(clean.Quantity);
        order.Note = std::move(clean.Note);
        export_.Attachments.push_back(
            {kOrderAttachment, "application/json", "Данные заказа (ORDER.json)", OrderJson(std::move(order), questionnaire_)});
    }
    return report_->PreparePages() ? TSavePreparation::Prepared : TSavePreparation::Failed;
}

bool TQuestionnaireDocument::Export(const std::string& path) {
    export_.FileName = path;
    return export_.ExportTo(*report_);
}

}  // namespace lk63
