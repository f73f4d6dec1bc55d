#include "platform/io/pdf_attachment.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>

namespace lk63::platform {
namespace {

// Keeps what fits and notes that more came.
class TBoundedPipeline : public Pipeline {
public:
    TBoundedPipeline(std::string& out, std::size_t limit) : Pipeline("bounded", nullptr), out_(out), limit_(limit) {}
    void write(unsigned char const* data, size_t length) override {
        if (overflow_) return;
        if (length > limit_ - out_.size()) {
            overflow_ = true;
            return;
        }
        out_.append(reinterpret_cast<const char*>(data), length);
    }
    void finish() override {}
    bool Overflow() const { return overflow_; }

private:
    std::string& out_;
    std::size_t limit_;
    bool overflow_ = false;
};

}  // namespace

std::string ReadPdfAttachment(std::string_view pdf, const std::string& name, std::size_t maxSize) {
    if (pdf.substr(0, std::min<std::size_t>(pdf.size(), 1024)).find("%PDF-") == std::string_view::npos)
        throw TPdfReadError(TPdfReadFailure::NotPdf, "not a PDF document");
    std::string data;
    try {
        QPDF document;
        document.setSuppressWarnings(true);
        document.processMemoryFile("document", pdf.data(), pdf.size());
        QPDFEmbeddedFileDocumentHelper files(document);
        const auto file = files.getEmbeddedFile(name);
        if (!file)
            throw TPdfReadError(TPdfReadFailure::NoAttachment, "the document has no attachment \"" + name + "\"");
        QPDFObjectHandle stream = file->getEmbeddedFileStream();
        if (!stream.isStream())
            throw TPdfReadError(TPdfReadFailure::Damaged, "the attachment \"" + name + "\" holds no data");
        TBoundedPipeline bounded(data, maxSize);
        bool filtered = false;
        const bool ok = stream.pipeStreamData(&bounded, &filtered, 0, qpdf_dl_all, true);
        if (bounded.Overflow())
            throw TPdfReadError(TPdfReadFailure::AttachmentTooLarge,
                                "the attachment \"" + name + "\" is larger than " + std::to_string(maxSize) + " bytes");
        if (!ok || !filtered)
            throw TPdfReadError(TPdfReadFailure::Damaged,
                                "the data of the attachment \"" + name + "\" cannot be decoded");
    } catch (const TPdfReadError&) {
        throw;
    } catch (const std::exception& e) {
        throw TPdfReadError(TPdfReadFailure::Damaged, std::string("damaged PDF document: ") + e.what());
    }
    return data;
}

}  // namespace lk63::platform
