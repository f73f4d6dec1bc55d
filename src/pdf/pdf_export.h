#pragma once
// The PDF export filter: writes the prepared pages of a report as a PDF 1.5
// file in one pass, front to back. The file appears only when the whole
// document was written: an error or a cancel leaves no new file and an
// existing file as it was.

#include <cstdint>
#include <ctime>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "pdf/color_operand.h"
#include "pdf/deflate_worker.h"
#include "pdf/embedded_file.h"
#include "pdf/page_state.h"
#include "pdf/pdf_font_list.h"

namespace lk63 {

class TrpComponent;
class TrpCustomMemoView;
class TrpExportPages;
class TrpExportProgress;
class TrpPDFOutput;
class TrpPDFSink;
class TrpReport;
class TrpReportPage;

// Raised after an object when the user cancelled; ends the run silently.
class EExportTerminated : public std::runtime_error {
public:
    EExportTerminated() : std::runtime_error("export cancelled") {}
};

// Settings an export carries for its callers but that change nothing in the
// file or the run: there is no options dialog, no overwrite question, no
// file cache, no outline, no HTML rendering and no picture to compress.
struct TrpPDFCarriedOptions {
    bool ShowDialog = false;
    bool UseFileCache = true;
    bool OverwritePrompt = false;
    bool Outline = false;
    bool HTMLTags = true;
    int Quality = 95;
};

// A closed page of a run whose objects are written when the next page
// closes, so that its content is deflated meanwhile.
struct TrpPendingPage {
    std::string Content;
    std::future<std::string> Packed;
    std::size_t FontCount = 0;  // the fonts registered when it closed
    double Width = 0, Height = 0;
};

class TrpPDFExport {
public:
    TrpPDFExport();
    ~TrpPDFExport();
    TrpPDFExport(const TrpPDFExport&) = delete;
    TrpPDFExport& operator=(const TrpPDFExport&) = delete;

    // Options that act (the values this system uses are the defaults).
    std::string FileName;
    std::string DefaultPath;  // put before a file name without a folder
    bool ExportNotPrintable = false;
    bool ShowProgress = true;
    bool DataOnly = false;
    bool Compressed = true;
    bool EmbeddedFonts = false;  // subsets of the font programs travel in the file
    bool Background = false;
    std::string Title, Author = "BandReport", Subject = "BandReport PDF export", Keywords, Creator, Producer;
    bool HideToolbar = false, HideMenubar = false, HideWindowUI = false, FitWindow = false, CenterWindow = false;
    bool PrintScaling = false;
    // "[TOTALPAGES#]" and "[COPYNAME#]" in memo text become the page count and
    // the copy name. Off for a template without them: then text that a value
    // brought in prints as it was typed.
    bool ReplacePageTags = true;
    TrpPDFCarriedOptions Carried;
    std::function<void()> OnBeginExport;
    // Files carried inside the document (none: the file is as it always was).
    std::vector<TrpAttachment> Attachments;

    // Shown while pages are written (with ShowProgress); none: no progress, no cancel.
    TrpExportProgress* Progress = nullptr;
    // Written to instead of FileName when set; the caller owns it.
    TrpPDFSink* Stream = nullptr;

    // The run over the report's prepared pages. False when nothing could be
    // opened or an error stopped it; the error is then in the report's error
    // list and was shown through its user interface. A cancelled run (the
    // report's Terminated flag set while pages are written) writes nothing
    // and gives true.
    bool ExportTo(TrpReport& report);
    bool ExportTo(TrpReport& report, TrpExportPages& pages);
    // Whether the last run was cancelled.
    [[nodiscard]] bool Cancelled() const { return cancelled_; }

    // Steps of the run, public for the store and for tests.
    // False when there is neither a file name nor a stream. Throws when the
    // file cannot be created.
    bool OpenDocument();
    void OpenPage(const TrpReportPage& page);
    void WriteObject(const TrpComponent& view);
    void ClosePage();
    // Writes fonts, page tree, information, catalog, cross-reference table
    // and trailer, then puts the file in place.
    void CloseDocument();
    // Drops what was written: an existing file stays as it was.
    void AbortDocument() noexcept;

    // The run's ID, 32 lower-case hex digits (set by OpenDocument).
    [[nodiscard]] const std::string& DocumentId() const { return documentId_; }
    [[nodiscard]] const TrpPDFFontList& Fonts() const { return fonts_; }

    // Date and time of the document information; the local time now unless set.
    std::function<std::tm()> Clock;

private:
    struct TRunFile;

    void WritePage(TrpReport& report, TrpExportPages& pages, int index, int pageCount,
                   TrpExportProgress* progress);
    // Closes the page; with another page to follow its objects wait for it.
    void EndPage(bool anotherFollows);
    void WritePendingPage();
    void WritePageObjects(const std::string& content, const std::string* packed, std::size_t fontCount, double width,
                          double height);
    void DropPendingWork() noexcept;
    void WriteObjectRule(TrpReport& report, TrpComponent& object, int pageCount);
    void ReplacePageTagsOf(TrpReport& report, TrpCustomMemoView& memo, int pageCount);
    void ClearRunState();
    [[nodiscard]] std::string InformationDate() const;

    // Run state.
    std::unique_ptr<TRunFile> file_;
    std::unique_ptr<TrpPDFOutput> out_;
    std::vector<int> pageRefs_;
    TrpPDFFontList fonts_;
    std::string content_;
    TrpPDFPageState page_;
    std::optional<TrpPendingPage> pendingPage_;
    std::vector<std::future<TrpPackedAttachment>> packedAttachments_;  // large files packed ahead
    TrpDeflateWorker deflater_;
    TrpColorOperand colors_;
    std::string documentId_;
    bool cancelled_ = false;
};

}  // namespace lk63
