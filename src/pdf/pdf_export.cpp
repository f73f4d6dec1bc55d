#include "pdf/pdf_export.h"

#include <charconv>
#include <cstdio>

#include "pdf/export_pages.h"
#include "pdf/export_progress.h"
#include "pdf/format_number.h"
#include "pdf/line_writer.h"
#include "pdf/memo_writer.h"
#include "pdf/pdf_output.h"
#include "pdf/text_string.h"
#include "platform/io/atomic_file_writer.h"
#include "platform/io/deflate.h"
#include "platform/io/guid.h"
#include "platform/io/md5.h"
#include "platform/unicode.h"
#include "report/band.h"
#include "report/memo_layout.h"
#include "report/memo_view.h"
#include "report/page.h"
#include "report/prepared_pages.h"
#include "report/report.h"
#include "report/units.h"
#include "report/user_interface.h"

namespace lk63 {
namespace {

// Attachments from this size on are packed on a thread of their own.
constexpr std::size_t kPackAheadSize = 256 * 1024;

// The sink of a file run: every write checked, the target replaced only on Commit.
class TrpFileSink : public TrpPDFSink {
public:
    explicit TrpFileSink(std::string path) : writer_(std::move(path)) {}
    void Write(std::string_view bytes) override { writer_.Write(bytes); }
    platform::TAtomicFileWriter& Writer() { return writer_; }

private:
    platform::TAtomicFileWriter writer_;
};

std::string TenDigits(std::uint64_t offset) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, offset).ptr;
    const auto length = static_cast<std::size_t>(end - digits);
    return std::string(length < 10 ? 10 - length : 0, '0') + std::string(digits, length);
}

std::string TwoDigits(int value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

// Every occurrence of `tag`, found ignoring letter case, replaced by `value`.
// Tags start with "[", so only the text from a bracket on is compared.
bool ReplaceTag(std::u16string& text, std::u16string_view tag, std::u16string_view value) {
    bool replaced = false;
    for (std::size_t at = text.find(u'['); at != std::u16string::npos && at + tag.size() <= text.size();
         at = text.find(u'[', at)) {
        if (platform::EqualsIgnoreCase(std::u16string_view(text).substr(at, tag.size()), tag)) {
            text.replace(at, tag.size(), value);
            at += value.size();
            replaced = true;
        } else {
            ++at;
        }
    }
    return replaced;
}

// The pages of the report's store.
class TrpPreviewPagesSource : public TrpExportPages {
public:
    explicit TrpPreviewPagesSource(TrpPreviewPages& pages) : pages_(pages) {}
    int PageCount() override { return pages_.PageCount(); }
    TrpReportPage& MaterializePage(int index) override { return pages_.MaterializePage(index); }

private:
    TrpPreviewPages& pages_;
};

// As the user interface words it (the window in Russian).
std::string ErrorTextOf(const TrpReport& report, const std::exception& error) {
    return report.UserInterface ? report.UserInterface->ErrorText(error) : std::string(error.what());
}

// Into the report's error list, then shown as the report shows its errors.
void ReportExportError(TrpReport& report, const std::string& message) {
    report.Errors().Add(message);
    report.ShowErrors();
}

}  // namespace

struct TrpPDFExport::TRunFile {
    explicit TRunFile(std::string path) : Sink(std::move(path)) {}
    TrpFileSink Sink;
};

TrpPDFExport::TrpPDFExport() = default;
TrpPDFExport::~TrpPDFExport() { AbortDocument(); }

bool TrpPDFExport::ExportTo(TrpReport& report) {
    TrpPreviewPagesSource pages(report.PreviewPages());
    return ExportTo(report, pages);
}

bool TrpPDFExport::ExportTo(TrpReport& report, TrpExportPages& pages) {
    cancelled_ = false;
    report.Terminated = false;
    if (OnBeginExport) OnBeginExport();

    try {
        if (!OpenDocument()) return false;
    } catch (const std::exception& e) {
        ClearRunState();
        ReportExportError(report, ErrorTextOf(report, e));
        return false;
    }

    // A large attachment is packed while the pages are written.
    for (const TrpAttachment& attachment : Attachments) {
        std::future<TrpPackedAttachment>& packed = packedAttachments_.emplace_back();
        if (Compressed && attachment.Data.size() >= kPackAheadSize)
            packed = std::async(std::launch::async, [&attachment] { return PackAttachment(attachment, true); });
    }

    TrpExportProgress* progress = (ShowProgress && report.ShowProgress) ? Progress : nullptr;
    std::optional<std::string> error;
    try {
        const int pageCount = pages.PageCount();
        if (progress) progress->Start(pageCount);
        for (int i = 0; i < pageCount; ++i) {
            WritePage(report, pages, i, pageCount, progress);
            if (report.UserInterface) report.UserInterface->ProcessMessages();
        }
        // "Отмена" pressed while the messages after the last page were handled.
        if (report.Terminated) throw EExportTerminated();
    } catch (const EExportTerminated&) {
        cancelled_ = true;
    } catch (const std::exception& e) {
        error = ErrorTextOf(report, e);
    }
    if (progress) progress->Stop();

    if (cancelled_ || error) {
        // Nothing of a cancelled or failed run is kept.
        AbortDocument();
    } else {
        try {
            CloseDocument();
        } catch (const std::exception& e) {
            AbortDocument();
            error = ErrorTextOf(report, e);
        }
    }
    if (error) {
        ReportExportError(report, *error);
        return false;
    }
    return true;
}

void TrpPDFExport::WritePage(TrpReport& report, TrpExportPages& pages, int index, int pageCount,
                             TrpExportProgress* progress) {
    TrpReportPage& page = pages.MaterializePage(index);
    if (progress) progress->Page(index + 1);
    OpenPage(page);
    // Absolute positions of views are measured from the paper's corner.
    const double leftMargin = (page.MirrorMargins && index % 2 == 1) ? page.RightMargin : page.LeftMargin;
    page.SetLeft(leftMargin * rp01cm);
    page.SetTop(page.TopMargin * rp01cm);
    try {
        // The page background view is not written while Background is off.
        for (const auto& object : page.Objects()) {
            WriteObjectRule(report, *object, pageCount);
            for (const auto& child : object->Objects()) WriteObjectRule(report, *child, pageCount);
        }
    } catch (...) {
        ClosePage();
        throw;
    }
    EndPage(index + 1 < pageCount);
}

void TrpPDFExport::WriteObjectRule(TrpReport& report, TrpComponent& object, int pageCount) {
    if (DataOnly && !dynamic_cast<TrpDataBand*>(object.Parent())) return;
    auto* view = dynamic_cast<TrpView*>(&object);
    if (view && !(view->Visibility & static_cast<std::uint8_t>(TrpVisibilityType::vsExport))) return;
    if (auto* memo = dynamic_cast<TrpCustomMemoView*>(&object); memo && memo->AllowExpressions) {
        if (ReplacePageTags) ReplacePageTagsOf(report, *memo, pageCount);
        if (memo->AutoWidth) memo->SetWidth(CalcWidth(*memo));
    }
    if (view) WriteObject(*view);
    if (report.Terminated) throw EExportTerminated();
}

void TrpPDFExport::ReplacePageTagsOf(TrpReport& report, TrpCustomMemoView& memo, int pageCount) {
    const std::u16string total = platform::Utf8ToUtf16(std::to_string(pageCount));
    const std::u16string copyName = report.Variables().Get("CopyName1").ToText();
    TWideStrings text;
    bool changed = false;
    for (std::size_t i = 0; i < memo.Memo.Count(); ++i) {
        std::u16string line(memo.Memo[i]);
        changed |= ReplaceTag(line, u"[TOTALPAGES#]", total);
        changed |= ReplaceTag(line, u"[COPYNAME#]", copyName);
        text.Add(std::move(line));
    }
    if (changed) memo.Memo = std::move(text);
}

bool TrpPDFExport::OpenDocument() {
    std::string path = FileName;
    if (!Stream && path.empty()) return false;
    if (!Stream && !DefaultPath.empty() && path.find('/') == std::string::npos) path = DefaultPath + "/" + path;

    AbortDocument();
    std::unique_ptr<TRunFile> file;
    if (!Stream) file = std::make_unique<TRunFile>(path);  // throws when it cannot be created
    ClearRunState();
    file_ = std::move(file);
    fonts_.SetEmbedded(EmbeddedFonts);
    out_ = std::make_unique<TrpPDFOutput>(Stream ? *Stream : file_->Sink);
    documentId_ = platform::Md5Hex(platform::NewGuidText());
    out_->WriteLine("%PDF-1.5");
    out_->NewObjectNumber();  // 1: the page tree, written last
    return true;
}

void TrpPDFExport::OpenPage(const TrpReportPage& page) {
    // The unrounded paper size: A4 is 595.28 x 841.89 points.
    page_.Width = page.PaperWidth() * rp01cm * 0.75;
    page_.Height = page.PaperHeight() * rp01cm * 0.75;
    page_.LeftOffset = page.LeftMargin * 0.05;
    page_.TopOffset = page.TopMargin * 0.05;
    content_.clear();
    if (page.Color != clNone) {
        content_ += colors_(page.Color);
        content_ += " rg\r\n0.00 0.00 ";
        AppendNumber(content_, page_.Width);
        content_ += ' ';
        AppendNumber(content_, page_.Height);
        content_ += " re\r\nf\r\n";
    }
}

void TrpPDFExport::WriteObject(const TrpComponent& object) {
    const auto* view = dynamic_cast<const TrpView*>(&object);
    if (!view) return;  // bands produce nothing
    if (!(view->Visibility & static_cast<std::uint8_t>(TrpVisibilityType::vsPrint)) && !ExportNotPrintable) return;
    if (const auto* memo = dynamic_cast<const TrpCustomMemoView*>(view)) {
        // A memo showing tags or with a hatched fill is written as plain
        // text with its background: nothing of it is lost.
        WriteMemoView(content_, *memo, page_, colors_, fonts_);
    } else if (const auto* line = dynamic_cast<const TrpCustomLineView*>(view)) {
        WriteLineView(content_, *line, page_, colors_);
    }
}

void TrpPDFExport::ClosePage() { EndPage(false); }

void TrpPDFExport::EndPage(bool anotherFollows) {
    WritePendingPage();
    if (!(Compressed && anotherFollows)) {
        WritePageObjects(content_, nullptr, fonts_.Count(), page_.Width, page_.Height);
        content_.clear();
        return;
    }
    TrpPendingPage& page = pendingPage_.emplace();
    page.Content = std::move(content_);
    content_.clear();
    page.Packed = deflater_.Deflate(page.Content);
    page.FontCount = fonts_.Count();
    page.Width = page_.Width;
    page.Height = page_.Height;
}

void TrpPDFExport::WritePendingPage() {
    if (!pendingPage_) return;
    // The worker reads the content where it is until its result is taken.
    std::string packed;
    try {
        packed = pendingPage_->Packed.get();
    } catch (...) {
        pendingPage_.reset();
        throw;
    }
    const TrpPendingPage page = std::move(*pendingPage_);
    pendingPage_.reset();
    WritePageObjects(page.Content, &packed, page.FontCount, page.Width, page.Height);
}

// The content stream, object numbers for the fonts that were registered by
// then, and the page dictionary listing those fonts.
void TrpPDFExport::WritePageObjects(const std::string& content, const std::string* packed, std::size_t fontCount,
                                    double width, double height) {
    TrpPDFOutput& out = *out_;
    const int contents = out.NewObjectNumber();
    out.WriteLine(ObjectHeader(contents));
    out.Write("<< ");
    if (Compressed) {
        const std::string deflated = packed ? std::string() : platform::Deflate(content, 1);
        const std::string& data = packed ? *packed : deflated;
        out.WriteLine("/Filter /FlateDecode /Length " + std::to_string(data.size()) + " /Length1 " +
                      std::to_string(content.size()) + " >>");
        out.WriteLine("stream");
        out.Write(data);
        out.WriteLine("");
    } else {
        out.WriteLine("/Length " + std::to_string(content.size()) + " >>");
        out.WriteLine("stream");
        out.Write(content);
    }
    out.WriteLine("endstream");
    out.WriteLine("endobj");

    for (std::size_t i = 0; i < fontCount; ++i)
        if (!fonts_[i].HasObjectNumber()) fonts_[i].SetObjectNumber(out.NewObjectNumber());

    const int pageObject = out.NewObjectNumber();
    pageRefs_.push_back(pageObject);
    out.WriteLine(ObjectHeader(pageObject));
    out.WriteLine("<<");
    out.WriteLine("/Type /Page");
    out.WriteLine("/Parent 1 0 R");
    out.WriteLine("/MediaBox [0 0 " + FormatNumber(width) + " " + FormatNumber(height) + " ]");
    out.WriteLine("/Resources <<");
    std::string fonts = "/Font << ";
    for (std::size_t i = 0; i < fontCount; ++i)
        fonts += fonts_[i].ResourceName() + " " + ObjectReference(fonts_[i].ObjectNumber()) + " ";
    fonts += ">>";
    out.WriteLine(fonts);
    out.WriteLine("/ProcSet [/PDF /Text /ImageC ]");
    out.WriteLine(">>");
    out.WriteLine("/Contents " + ObjectReference(contents));
    out.WriteLine(">>");
    out.WriteLine("endobj");
}

void TrpPDFExport::CloseDocument() {
    WritePendingPage();
    TrpPDFOutput& out = *out_;
    for (std::size_t i = 0; i < fonts_.Count(); ++i) fonts_[i].WriteObjects(out, Compressed);

    out.SetObjectOffset(1);
    out.WriteLine(ObjectHeader(1));
    out.WriteLine("<<");
    out.WriteLine("/Type /Pages");
    std::string kids = "/Kids [";
    for (const int ref : pageRefs_) kids += ObjectReference(ref) + " ";
    kids += "]";
    out.WriteLine(kids);
    out.WriteLine("/Count " + std::to_string(pageRefs_.size()));
    out.WriteLine(">>");
    out.WriteLine("endobj");

    const int info = out.NewObjectNumber();
    const std::string date = InformationDate();
    out.WriteLine(ObjectHeader(info));
    out.WriteLine("<<");
    out.WriteLine("/Title " + HexTextString(Title));
    out.WriteLine("/Author " + HexTextString(Author));
    out.WriteLine("/Subject " + HexTextString(Subject));
    out.WriteLine("/Keywords " + HexTextString(Keywords));
    out.WriteLine("/Creator " + HexTextString(Creator));
    out.WriteLine("/Producer " + HexTextString(Producer));
    out.WriteLine("/CreationDate (" + date + ")");
    out.WriteLine("/ModDate (" + date + ")");
    out.WriteLine(">>");
    out.WriteLine("endobj");

    std::vector<int> attachmentEntries;
    for (std::size_t i = 0; i < Attachments.size(); ++i) {
        std::future<TrpPackedAttachment>* ahead = i < packedAttachments_.size() ? &packedAttachments_[i] : nullptr;
        const TrpPackedAttachment packed =
            ahead && ahead->valid() ? ahead->get() : PackAttachment(Attachments[i], Compressed);
        attachmentEntries.push_back(WriteAttachment(out, Attachments[i], Compressed, packed));
    }

    const int catalog = out.NewObjectNumber();
    out.WriteLine(ObjectHeader(catalog));
    out.WriteLine("<<");
    out.WriteLine("/Type /Catalog");
    out.WriteLine("/Pages " + ObjectReference(1));
    for (const std::string& entry : AttachmentCatalogEntries(Attachments, attachmentEntries)) out.WriteLine(entry);
    out.WriteLine("/PageMode /UseNone");
    out.WriteLine("/ViewerPreferences <<");
    if (!Title.empty()) out.WriteLine("/DisplayDocTitle true");
    if (HideToolbar) out.WriteLine("/HideToolbar true");
    if (HideMenubar) out.WriteLine("/HideMenubar true");
    if (HideWindowUI) out.WriteLine("/HideWindowUI true");
    if (FitWindow) out.WriteLine("/FitWindow true");
    if (CenterWindow) out.WriteLine("/CenterWindow true");
    if (!PrintScaling) out.WriteLine("/PrintScaling /None");
    out.WriteLine(">>");
    out.WriteLine(">>");
    out.WriteLine("endobj");

    const std::uint64_t xref = out.Position();
    const int count = out.ObjectCount();
    out.WriteLine("xref");
    out.WriteLine("0 " + std::to_string(count + 1));
    out.WriteLine("0000000000 65535 f");
    for (const std::uint64_t offset : out.Offsets()) out.WriteLine(TenDigits(offset) + " 00000 n");
    out.WriteLine("trailer");
    out.WriteLine("<<");
    out.WriteLine("/Size " + std::to_string(count + 1));
    out.WriteLine("/Root " + ObjectReference(catalog));
    out.WriteLine("/Info " + ObjectReference(info));
    out.WriteLine("/ID [<" + documentId_ + "><" + documentId_ + ">]");
    out.WriteLine(">>");
    out.WriteLine("startxref");
    out.WriteLine(std::to_string(xref));
    out.WriteLine("%%EOF");
    out.Flush();
    if (file_) file_->Sink.Writer().Commit();
    ClearRunState();
}

void TrpPDFExport::AbortDocument() noexcept {
    if (file_) file_->Sink.Writer().Abort();
    ClearRunState();
}

// Waits for what the other threads still do with the run's texts.
void TrpPDFExport::DropPendingWork() noexcept {
    if (pendingPage_ && pendingPage_->Packed.valid()) pendingPage_->Packed.wait();
    pendingPage_.reset();
    for (std::future<TrpPackedAttachment>& packed : packedAttachments_)
        if (packed.valid()) packed.wait();
    packedAttachments_.clear();
}

void TrpPDFExport::ClearRunState() {
    DropPendingWork();
    out_.reset();
    file_.reset();
    pageRefs_.clear();
    fonts_.Clear();
    content_.clear();
    page_ = {};
    colors_ = {};
}

std::string TrpPDFExport::InformationDate() const {
    std::tm now{};
    if (Clock) {
        now = Clock();
    } else {
        const std::time_t t = std::time(nullptr);
        localtime_r(&t, &now);
    }
    char year[8];
    const auto end = std::to_chars(year, year + sizeof year, now.tm_year + 1900).ptr;
    return "D:" + std::string(year, end) + TwoDigits(now.tm_mon + 1) + TwoDigits(now.tm_mday) +
           TwoDigits(now.tm_hour) + TwoDigits(now.tm_min) + TwoDigits(now.tm_sec);
}

}  // namespace lk63
