#pragma once
// The save path as the window reaches it. The report's headers and the
// controls' headers both name a colour type lk63::TColor, so no source file
// can include both; the window talks to the report and its export only
// through this class, whose source includes no toolkit header.

#include <memory>
#include <string>
#include <string_view>

namespace lk63 {

class TQuestionnaire;
class TQuestionnaireDocument;
class TrpExportProgress;
class TrpUserInterface;

class TQuestionnaireSave {
public:
    enum class TResult {
        Prepared,     // pages are ready to export
        BadQuantity,  // show QuantityMessage() and put the focus into the quantity
        Failed,       // the engine has shown its errors
    };
    // The window's own fields, as they show them.
    struct TFields {
        std::string Organisation, Address, Contact, Quantity, Note;
    };

    // All three must outlive the object.
    TQuestionnaireSave(const TQuestionnaire& questionnaire, TrpUserInterface& ui, TrpExportProgress& progress);
    ~TQuestionnaireSave();
    TQuestionnaireSave(const TQuestionnaireSave&) = delete;
    TQuestionnaireSave& operator=(const TQuestionnaireSave&) = delete;

    TResult Prepare(const TFields& fields);
    // The note as Prepare trimmed it (line breaks CR LF).
    [[nodiscard]] const std::string& TrimmedNote() const;
    // The file the next save proposes: the one written last, or the
    // questionnaire opened since; empty before either.
    [[nodiscard]] const std::string& FileName() const;
    void SetFileName(const std::string& path);
    // False on an error, which has been shown.
    bool Export(const std::string& path);
    // The user cancelled: the export stops after the object being written.
    void Stop();

    static std::string_view QuantityMessage();
    static std::string_view ErrorCaption();

private:
    std::unique_ptr<TQuestionnaireDocument> document_;
};

}  // namespace lk63
